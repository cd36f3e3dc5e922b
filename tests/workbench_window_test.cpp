// The workbench as a desktop program: its choices kept between runs, a menu
// entry and a shortcut for every action, an accessible name for every
// control, the tab order of the reading order, and a picture that reads well
// and stays crisp on light and dark palettes alike.

#include "workbench_test_support.h"

#include <glyphbox/rows/drawing.h>
#include <glyphbox/workbench/date_view.h>
#include <glyphbox/workbench/day_picture.h>
#include <glyphbox/workbench/guarded.h>
#include <glyphbox/workbench/inscription_view.h>
#include <glyphbox/workbench/search_view.h>
#include <glyphbox/workbench/settings_bar.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>

#include <cmath>
#include <memory>
#include <set>
#include <stdexcept>

namespace glyphbox::workbench {
namespace {

using glyphbox::testing::chooseItem;
using WindowTest = glyphbox::testing::WorkbenchTest;

TEST_F(WindowTest, TheChoicesAndTheWindowsPlaceAreKeptForTheNextRun) {
  EXPECT_EQ(window->settingsBar()->settings().reckoning.correlation.name, "gmt");
  chooseItem(child<QComboBox>(QStringLiteral("correlation")), QStringLiteral("Custom JDN"));
  retype(child<QLineEdit>(QStringLiteral("customJdn")), QStringLiteral("584290"));
  chooseItem(child<QComboBox>(QStringLiteral("calendar")), QStringLiteral("Historical"));
  chooseItem(child<QComboBox>(QStringLiteral("spelling")), QStringLiteral("Modern (Ajaw, Kumk'u)"));
  chooseItem(child<QComboBox>(QStringLiteral("numbering")), QStringLiteral("1-20"));
  window->resize(1150, 700);
  QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
  const rows::ConversionSettings chosen = window->settingsBar()->settings();
  window->close();
  window.reset();

  open();
  const rows::ConversionSettings kept = window->settingsBar()->settings();
  EXPECT_EQ(kept.reckoning.correlation.jdn, 584290);
  EXPECT_EQ(kept.calendar, chosen.calendar);
  EXPECT_EQ(kept.spelling, chosen.spelling);
  EXPECT_EQ(kept.haabDays, chosen.haabDays);
  EXPECT_EQ(window->size(), QSize(1150, 700));
  EXPECT_EQ(window->views()->currentWidget(), window->searchView());
  EXPECT_EQ(child<QLineEdit>(QStringLiteral("customJdn"))->text(), QStringLiteral("584290"));

  // A preset is kept by its name.
  chooseItem(child<QComboBox>(QStringLiteral("correlation")), QStringLiteral("spinden (489384)"));
  window->close();
  open();
  EXPECT_EQ(window->settingsBar()->settings().reckoning.correlation.name, "spinden");
}

TEST_F(WindowTest, EveryActionHasAMenuEntryAndAShortcutOfItsOwn) {
  std::set<QAction*> inMenus;
  std::set<QString> shortcuts;
  for (QAction* top : window->menuBar()->actions()) {
    ASSERT_NE(top->menu(), nullptr);
    for (QAction* a : top->menu()->actions()) {
      // Open Recent lists file names, reached through the menu's letters.
      if (a->isSeparator() || a->menu() != nullptr) {
        continue;
      }
      inMenus.insert(a);
      EXPECT_FALSE(a->shortcut().isEmpty()) << a->text().toStdString();
      shortcuts.insert(a->shortcut().toString()); // an action may sit in two menus
    }
  }
  // The views' own actions all have their entries.
  for (QAction* a : window->dateView()->stepActions()) {
    EXPECT_TRUE(inMenus.count(a)) << a->objectName().toStdString();
  }
  const InscriptionView* inscription = window->inscriptionView();
  for (QAction* a :
       {window->dateView()->savePictureAction(), window->searchView()->openAction(),
        window->searchView()->exportAction(), inscription->newAction(), inscription->openAction(),
        inscription->saveAction(), inscription->saveAsAction(), inscription->exportAction()}) {
    EXPECT_TRUE(inMenus.count(a)) << a->objectName().toStdString();
  }
  EXPECT_EQ(shortcuts.size(), inMenus.size()); // no shortcut serves two actions

  // The views by Ctrl+1 to Ctrl+3, each with its input focused; Ctrl+T for today.
  QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), window->searchView()->patternInput());
  QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), window->inscriptionView()->editor())
      << QApplication::focusWidget()->metaObject()->className() << " "
      << QApplication::focusWidget()->objectName().toStdString();
  QTest::keyClick(window.get(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), window->dateView()->input());
  QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(window->dateView()->input()->text(), QStringLiteral("today"));
  EXPECT_TRUE(window->dateView()->day());
}

TEST_F(WindowTest, EveryControlHasAnAccessibleName) {
  for (const int view : {0, 1, 2}) {
    window->views()->setCurrentIndex(view);
    for (QWidget* w : window->findChildren<QWidget*>()) {
      const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QAbstractButton*>(w) ||
                           qobject_cast<QAbstractSpinBox*>(w) ||
                           qobject_cast<QAbstractItemView*>(w);
      if (control && w->isVisibleTo(window.get()) && (w->focusPolicy() & Qt::TabFocus) &&
          !w->objectName().startsWith(QLatin1String("qt_"))) {
        EXPECT_FALSE(w->accessibleName().isEmpty())
            << w->metaObject()->className() << " " << w->objectName().toStdString();
      }
    }
  }
}

TEST_F(WindowTest, TabFollowsTheDateViewsReadingOrder) {
  retype(window->dateView()->input(), QStringLiteral("9.12.11.5.18"));
  std::vector<std::string> path;
  for (int i = 0; i < 26; ++i) {
    path.push_back(QApplication::focusWidget()->objectName().toStdString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  const std::vector<std::string> expected = {
      "dateInput",         "long_countValue",     "tzolkinValue",      "haabValue",
      "lordValue",         "bearerValue",         "819_stationValue",  "819_sinceValue",
      "819_quarterValue",  "819_colourValue",     "819_numberValue",   "jdnValue",
      "day_countValue",    "gregorianValue",      "julianValue",       "historicalValue",
      "weekdayValue",      "previousKatunButton", "previousTunButton", "previousUinalButton",
      "previousKinButton", "nextKinButton",       "nextUinalButton",   "nextTunButton",
      "nextKatunButton",   "savePictureButton"};
  EXPECT_EQ(path, expected);
}

TEST_F(WindowTest, WhatAHandlerThrowsIsSaidInTheStatusBarAndGoesNoFurther) {
  guard(window->dateView(), [] { throw std::runtime_error("no room left"); });
  EXPECT_EQ(window->statusBar()->currentMessage(),
            QStringLiteral("Something went wrong: no room left"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // The window goes on answering.
  retype(window->dateView()->input(), QStringLiteral("13.0.0.0.0"));
  EXPECT_TRUE(window->dateView()->day());
}

// The light palette of a plain desktop: Fusion's.
QPalette lightPalette() {
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  return fusion->standardPalette();
}

// A palette of light text on a dark ground, as a dark desktop has.
QPalette darkPalette() {
  QPalette p = lightPalette();
  const QColor window(0x2b, 0x2b, 0x2b);
  const QColor text(0xe8, 0xe8, 0xe8);
  for (const auto role : {QPalette::Window, QPalette::Button}) {
    p.setColor(role, window);
  }
  p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(role, text);
  }
  return p;
}

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto channel = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(WindowTest, ThePictureAndTheProblemsReadWellOnLightAndDarkPalettes) {
  const QPalette light = lightPalette();
  for (const QPalette& palette : {light, darkPalette()}) {
    QApplication::setPalette(palette);
    retype(window->dateView()->input(), QStringLiteral("2000-13-01"));
    auto* problem = child<QLabel>(QStringLiteral("dateProblem"));
    EXPECT_GE(contrast(problem->palette().color(QPalette::WindowText),
                       problem->palette().color(QPalette::Window)),
              4.5);
    const PictureColours colours = PictureColours::of(window->palette());
    EXPECT_GE(contrast(colours.ink, colours.paper), 7.0);
    EXPECT_GE(contrast(colours.ink, colours.stone), 7.0);
    // The picture on screen has the colours of its palette.
    retype(window->dateView()->input(), QStringLiteral("13.0.0.0.0"));
    const QImage shown = window->dateView()->picture()->viewport()->grab().toImage();
    EXPECT_TRUE(shown.pixelColor(shown.width() / 2, 2) == colours.paper ||
                shown.pixelColor(shown.width() / 2, 2) == palette.color(QPalette::Window));
  }
  QApplication::setPalette(light);
}

// Every bar's edges at a scale: the rows just inside its top and bottom edge
// are all ink, the rows just outside all background (the paper, or the stone
// of the column), with no blend between.
void expectCrispBars(const rows::Drawing& drawing, double scale) {
  const PictureColours colours = PictureColours::ofPaper();
  const QImage image = pictureImage(drawing, scale, colours);
  ASSERT_EQ(image.width(), static_cast<int>(std::ceil(drawing.width * scale)));
  ASSERT_EQ(image.height(), static_cast<int>(std::ceil(drawing.height * scale)));
  int bars = 0;
  for (const rows::Shape& s : drawing.shapes) {
    if (s.kind != rows::Shape::Kind::Bar) {
      continue;
    }
    ++bars;
    const int top = static_cast<int>(std::lround(s.y * scale));
    const int bottom = static_cast<int>(std::lround((s.y + s.height) * scale));
    // Across the middle half, away from the rounded ends.
    for (int x = static_cast<int>((s.x + s.width / 4) * scale);
         x < static_cast<int>((s.x + 3 * s.width / 4) * scale); ++x) {
      EXPECT_EQ(image.pixelColor(x, top), colours.ink) << scale << " " << x << "," << top;
      EXPECT_EQ(image.pixelColor(x, bottom - 1), colours.ink) << scale;
      for (const int y : {top - 1, bottom}) {
        const QColor outside = image.pixelColor(x, y);
        EXPECT_TRUE(outside == colours.stone || outside == colours.paper)
            << scale << " " << x << "," << y << " " << outside.name().toStdString();
      }
    }
    // Its middle is ink.
    EXPECT_EQ(image.pixelColor(static_cast<int>((s.x + s.width / 2) * scale),
                               static_cast<int>((s.y + s.height / 2) * scale)),
              colours.ink);
  }
  EXPECT_GT(bars, 0);
}

TEST(DayPictureImage, EveryBarIsCrispAtEveryScale) {
  // 9.12.11.5.18 6 Etznab 11 Yax: bars in every row, at offsets of 2 and 0 mod 4.
  const rows::Drawing drawing = rows::drawDay(
      rows::dayInput(1386478, maya::Spelling::Colonial, maya::HaabNumbering::Seating0));
  for (const double scale : {1.0, 2.0, 0.5, 0.75, 1.3, 1.5}) {
    expectCrispBars(drawing, scale);
  }
}

TEST_F(WindowTest, ThePictureFitsItsPlaceBetweenHalfAndTwiceItsSize) {
  retype(window->dateView()->input(), QStringLiteral("9.12.11.5.18"));
  DayPicture* picture = window->dateView()->picture();
  const double height = picture->drawing()->height;
  for (const int windowHeight : {400, 700, 1000, 3000}) {
    window->resize(1200, windowHeight);
    QApplication::processEvents();
    const double room = picture->maximumViewportSize().height() / height;
    EXPECT_GE(picture->scale(), 0.5) << windowHeight;
    EXPECT_LE(picture->scale(), 2.0) << windowHeight;
    EXPECT_DOUBLE_EQ(picture->scale(),
                     std::clamp(std::min(room, picture->maximumViewportSize().width() /
                                                   picture->drawing()->width),
                                0.5, 2.0))
        << windowHeight;
  }
}

} // namespace
} // namespace glyphbox::workbench

GLYPHBOX_QT_TEST_MAIN
