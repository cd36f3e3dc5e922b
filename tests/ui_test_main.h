#pragma once

#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

// Failures print texts as texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Window tests need a QApplication; they run on the offscreen platform unless
// told otherwise, so no display is needed.
#define GLYPHBOX_QT_TEST_MAIN                                                                      \
  int main(int argc, char** argv) {                                                                \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {                                          \
      qputenv("QT_QPA_PLATFORM", "offscreen");                                                     \
    }                                                                                              \
    QApplication app(argc, argv);                                                                  \
    QApplication::setQuitOnLastWindowClosed(false);                                                \
    ::testing::InitGoogleTest(&argc, argv);                                                        \
    return RUN_ALL_TESTS();                                                                        \
  }

namespace glyphbox::testing {

// Chooses an item the way a keyboard user does: arrow keys on the list until
// the item is current. Each key press is a choice the window reacts to.
inline void chooseItem(QComboBox* box, const QString& text) {
  ASSERT_TRUE(box->isEnabled()) << box->objectName().toStdString() << " is disabled";
  const int target = box->findText(text);
  ASSERT_GE(target, 0) << text.toStdString();
  while (box->currentIndex() < target) {
    QTest::keyClick(box, Qt::Key_Down);
  }
  while (box->currentIndex() > target) {
    QTest::keyClick(box, Qt::Key_Up);
  }
}

} // namespace glyphbox::testing
