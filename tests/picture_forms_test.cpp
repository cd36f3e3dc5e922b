#include "ui_test_main.h"

#include <glyphbox/assets.h>
#include <glyphbox/ui/application.h>
#include <glyphbox/ui/main_window.h>
#include <glyphbox/ui/picture_forms.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>

#include <QElapsedTimer>
#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>

namespace glyphbox::ui {
namespace {

const QString kMain = QLatin1String(kMainWindow);
const QString kSplash = QLatin1String(kSplashForm);
const QString kThinking = QLatin1String(kThinkingForm);
const QString kAbout = QLatin1String(kAboutForm);

class PictureFormsTest : public ::testing::Test {
protected:
  void SetUp() override { defineWindows(registry); }

  QStringList loaded() const {
    QStringList names;
    for (const QString& name : {kMain, kThinking, kSplash, kAbout}) {
      if (registry.isLoaded(name)) {
        names << name;
      }
    }
    return names;
  }
  bool waitUntil(const std::function<bool()>& condition, int ms = 3000) {
    return QTest::qWaitFor(condition, ms);
  }
  MainWindow* showMain() {
    auto* main = qobject_cast<MainWindow*>(registry.show(kMain));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(main));
    return main;
  }
  // Chooses "About" on the menu bar with the mouse.
  void chooseAbout() {
    auto* main = qobject_cast<MainWindow*>(registry.find(kMain));
    QMenuBar* bar = main->menuBar();
    QAction* about = bar->actions().front();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(about).center());
  }
  QWidget* waitForAbout() {
    EXPECT_TRUE(waitUntil([&] { return registry.isLoaded(kAbout); }));
    return registry.find(kAbout);
  }

  WindowRegistry registry;
};

TEST_F(PictureFormsTest, SplashAloneForTwoSecondsThenOnlyMain) {
  QElapsedTimer clock;
  clock.start();
  QWidget* splash = registry.show(kSplash);
  EXPECT_EQ(loaded(), QStringList({kSplash}));
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(qobject_cast<PictureForm*>(splash)->client()->size(), QSize(290, 251));
  EXPECT_FALSE(splash->windowFlags() & Qt::WindowTitleHint);
  EXPECT_EQ(splash->minimumSize(), splash->maximumSize());
  EXPECT_FALSE(splash->windowIcon().isNull());
  ASSERT_TRUE(waitUntil([&] { return registry.isLoaded(kMain); }));
  EXPECT_GE(clock.elapsed(), 1900);
  EXPECT_TRUE(registry.find(kMain)->isVisible());
  EXPECT_FALSE(registry.find(kMain)->windowIcon().isNull());
  EXPECT_EQ(loaded(), QStringList({kMain}));
}

TEST_F(PictureFormsTest, AboutShowsTheTransitionalPictureForASecondThenAbout) {
  showMain();
  QElapsedTimer clock;
  chooseAbout();
  clock.start();
  ASSERT_TRUE(registry.isLoaded(kThinking));
  EXPECT_EQ(qobject_cast<PictureForm*>(registry.find(kThinking))->client()->size(),
            QSize(215, 213));
  QWidget* about = waitForAbout();
  EXPECT_GE(clock.elapsed(), 900);
  EXPECT_EQ(qobject_cast<PictureForm*>(about)->client()->size(), QSize(458, 257));
  EXPECT_EQ(loaded(), QStringList({kMain, kAbout}));
}

TEST_F(PictureFormsTest, AboutChosenTwiceQuicklyGivesOneOfEach) {
  showMain();
  QElapsedTimer clock;
  chooseAbout();
  clock.start();
  QWidget* thinking = registry.find(kThinking);
  QTest::qWait(500);
  chooseAbout(); // does not restart the delay
  EXPECT_EQ(registry.find(kThinking), thinking);
  waitForAbout();
  EXPECT_LT(clock.elapsed(), 1400);
  EXPECT_EQ(loaded(), QStringList({kMain, kAbout}));
  QTest::qWait(700);
  EXPECT_EQ(loaded(), QStringList({kMain, kAbout}));
}

TEST_F(PictureFormsTest, AboutWhileAboutIsOpenBringsTheSameWindowBack) {
  showMain();
  chooseAbout();
  QWidget* about = waitForAbout();
  chooseAbout();
  EXPECT_TRUE(registry.isLoaded(kThinking));
  ASSERT_TRUE(waitUntil([&] { return !registry.isLoaded(kThinking); }));
  EXPECT_EQ(registry.find(kAbout), about);
  EXPECT_EQ(loaded(), QStringList({kMain, kAbout}));
}

TEST_F(PictureFormsTest, CharacterKeysAndTheButtonCloseAbout) {
  struct Case {
    Qt::Key key;
    bool closes;
  };
  const Case cases[] = {{Qt::Key_A, true},      {Qt::Key_5, true},      {Qt::Key_Space, true},
                        {Qt::Key_Return, true}, {Qt::Key_Escape, true}, {Qt::Key_Backspace, true},
                        {Qt::Key_Left, false},  {Qt::Key_F1, false},    {Qt::Key_Shift, false}};
  showMain();
  for (const auto& c : cases) {
    QWidget* about = registry.show(kAbout);
    auto* button = about->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Whatever");
    EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()));
    QSignalSpy pressed(button, &QPushButton::clicked);
    button->setFocus();
    QTest::keyClick(button, c.key);
    EXPECT_EQ(registry.isLoaded(kAbout), !c.closes) << c.key;
    EXPECT_EQ(pressed.count(), 0) << c.key; // the key is the window's, not the button's
    EXPECT_TRUE(registry.isLoaded(kMain));
    registry.unload(kAbout);
  }
  QWidget* about = registry.show(kAbout);
  QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  EXPECT_FALSE(registry.isLoaded(kAbout));
  EXPECT_EQ(loaded(), QStringList({kMain}));
}

TEST_F(PictureFormsTest, ClosingMainDuringThePicturesEndsEverything) {
  for (const bool waitForAboutPicture : {false, true}) {
    QSignalSpy ended(&registry, &WindowRegistry::allWindowsUnloaded);
    MainWindow* main = showMain();
    chooseAbout();
    if (waitForAboutPicture) {
      waitForAbout();
    }
    main->close();
    EXPECT_EQ(loaded(), QStringList());
    ASSERT_TRUE(waitUntil([&] { return ended.count() == 1; }));
    QTest::qWait(1300); // the transitional picture's timer died with it
    EXPECT_EQ(loaded(), QStringList()) << waitForAboutPicture;
    EXPECT_EQ(ended.count(), 1);
  }
}

TEST_F(PictureFormsTest, PicturesSitInTheirClientAreasInsideAThinFrame) {
  const struct {
    const QString& name;
    QSize client;
    const char* picture;
  } forms[] = {{kSplash, {290, 251}, assets::kSplashPath},
               {kThinking, {215, 213}, assets::kThinkingPath},
               {kAbout, {458, 257}, assets::kAboutPath}};
  for (const auto& f : forms) {
    auto* form = qobject_cast<PictureForm*>(registry.show(f.name));
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    // No window manager draws frames here, so the window draws its own.
    ASSERT_EQ(form->drawnFrameWidth(), 1);
    EXPECT_EQ(form->client()->geometry(), QRect(QPoint(1, 1), f.client)) << f.name.toStdString();
    EXPECT_EQ(form->size(), f.client + QSize(2, 2));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowTitleHint);

    const QImage shown = form->grab().toImage();
    const QImage picture(QLatin1String(f.picture));
    const QColor frame = form->palette().color(QPalette::Dark);
    for (const QPoint edge :
         {QPoint(0, 0), QPoint(form->width() - 1, form->height() / 2),
          QPoint(form->width() / 2, form->height() - 1), QPoint(0, form->height() - 1)}) {
      EXPECT_EQ(shown.pixel(edge), frame.rgb()) << f.name.toStdString();
    }
    // The picture starts at the client area's corner, unscaled.
    for (const QPoint at : {QPoint(0, 0), QPoint(100, 120), QPoint(200, 200)}) {
      EXPECT_EQ(shown.pixel(at + QPoint(1, 1)), picture.pixel(at)) << f.name.toStdString();
    }
    registry.unload(f.name);
  }
  // The About button lies over the picture's corner, in the client area.
  auto* about = qobject_cast<PictureForm*>(registry.show(kAbout));
  EXPECT_EQ(about->findChild<QPushButton*>(QStringLiteral("Command1"))->parentWidget(),
            about->client());
  EXPECT_EQ(about->findChild<QPushButton*>(QStringLiteral("Command1"))->pos(), QPoint(8, 8));
}

TEST(Pictures, HaveTheirSizesInTwentyFourBitColour) {
  const struct {
    const char* path;
    QSize size;
  } pictures[] = {{assets::kSplashPath, {291, 251}},
                  {assets::kThinkingPath, {214, 214}},
                  {assets::kAboutPath, {458, 257}}};
  for (const auto& p : pictures) {
    const QImage image(QLatin1String(p.path));
    EXPECT_EQ(image.size(), p.size) << p.path;
    EXPECT_FALSE(image.hasAlphaChannel()) << p.path;
    EXPECT_EQ(image.format(), QImage::Format_RGB32) << p.path;
  }
}

TEST(Pictures, IconIsADiscWithAOneBitMask) {
  const QImage icon(QLatin1String(assets::kIconPath));
  ASSERT_EQ(icon.size(), QSize(48, 48));
  int transparent = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const int alpha = qAlpha(icon.pixel(x, y));
      ASSERT_TRUE(alpha == 0 || alpha == 255) << x << ',' << y; // one bit
      transparent += alpha == 0 ? 1 : 0;
      const double r = std::hypot(x + 0.5 - 24, y + 0.5 - 24);
      if (r > 21.5) {
        EXPECT_EQ(alpha, 0) << x << ',' << y;
      } else if (r < 20.5) {
        EXPECT_EQ(alpha, 255) << x << ',' << y;
      }
    }
  }
  EXPECT_EQ(transparent, 914);
}

} // namespace
} // namespace glyphbox::ui

GLYPHBOX_QT_TEST_MAIN
