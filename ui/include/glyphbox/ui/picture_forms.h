#pragma once

#include <QPixmap>
#include <QWidget>

class QPushButton;
class QTimer;

namespace glyphbox::ui {

class WindowRegistry;

// A small window that shows a picture at its natural size from the top-left
// corner of its client area, cut off at the right or bottom edge: no title
// bar, a thin fixed frame, not movable or resizable, centred on the screen
// when created. The window manager is asked for a border without a title;
// where none runs to draw it, the window draws a one-pixel frame around the
// client area itself.
class PictureForm : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(PictureForm)

public:
  PictureForm(WindowRegistry& registry, const QPixmap& picture, int clientWidthTwips,
              int clientHeightTwips);

  // The client area, the size the window's layout gives it; the picture is drawn in it.
  [[nodiscard]] QWidget* client() const { return client_; }
  // The width of the frame the window draws itself: 1, or 0 when a window manager draws it.
  [[nodiscard]] int drawnFrameWidth() const { return frame_; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  WindowRegistry& registry() { return registry_; }
  // Shows the next window, then unloads this one: the hand-over of the picture windows.
  void handOverTo(const char* next);

private:
  WindowRegistry& registry_;
  int frame_ = 1;
  QWidget* client_ = nullptr;
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
