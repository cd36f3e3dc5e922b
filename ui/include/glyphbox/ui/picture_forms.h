#pragma once

#include <QPixmap>
#include <QWidget>

class QPushButton;
class QTimer;

namespace glyphbox::ui {

class WindowRegistry;

// A small window that shows a picture at its natural size from the top-left
// corner, cut off at the right or bottom edge: no title bar, a thin fixed
// frame, not movable or resizable, centred on the screen when created.
class PictureForm : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(PictureForm)

public:
  PictureForm(WindowRegistry& registry, const QPixmap& picture, int clientWidthTwips,
              int clientHeightTwips);

protected:
  void paintEvent(QPaintEvent* event) override;
  WindowRegistry& registry() { return registry_; }
  // Shows the next window, then unloads this one: the hand-over of the picture windows.
  void handOverTo(const char* next);

private:
  WindowRegistry& registry_;
  QPixmap picture_;
};

// The first window of the program; after two seconds it opens the main window.
class SplashForm : public PictureForm {
  Q_OBJECT

public:
  explicit SplashForm(WindowRegistry& registry);

private:
  void Form_Load();
  void Timer1_Timer();

  QTimer* Timer1 = nullptr;
};

// Shown for one second when the user chooses About, then the About picture.
class ThinkingForm : public PictureForm {
  Q_OBJECT

public:
  explicit ThinkingForm(WindowRegistry& registry);

private:
  void Form_Load();
  void Timer1_Timer();

  QTimer* Timer1 = nullptr;
};

// The About picture; its button or any character key returns to the main window.
class AboutForm : public PictureForm {
  Q_OBJECT

public:
  explicit AboutForm(WindowRegistry& registry);

protected:
  // The window sees every key typed in it first, even while its button has the focus.
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Command1_Click();
  void Form_KeyPress();

  QPushButton* Command1 = nullptr;
};

} // namespace glyphbox::ui
