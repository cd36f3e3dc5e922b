#include <glyphbox/ui/geometry.h>

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace glyphbox::ui {
namespace {

int toPixels(int twips, double scale) {
  return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

// The classic desktop colour numbers, mapped onto the roles of a Qt palette.
QColor systemColour(unsigned index, const QPalette& p) {
  switch (index) {
  case 0: // scroll bar
    return p.color(QPalette::Button);
  case 1:  // desktop background
  case 15: // button face
  case 4:  // menu background
  case 22: // 3-D light
    return p.color(QPalette::Window);
  case 2:  // active caption
  case 13: // highlight
    return p.color(QPalette::Highlight);
  case 3:  // inactive caption
  case 17: // grey (disabled) text
    return p.color(QPalette::Disabled, QPalette::WindowText);
  case 5: // window background
    return p.color(QPalette::Base);
  case 6:  // window frame
  case 21: // 3-D dark shadow
    return p.color(QPalette::Shadow);
  case 7:  // menu text
  case 8:  // window text
  case 18: // button text
    return p.color(QPalette::WindowText);
  case 9:  // caption text
  case 14: // highlighted text
    return p.color(QPalette::HighlightedText);
  case 16: // button shadow
    return p.color(QPalette::Dark);
  case 20: // button highlight
    return p.color(QPalette::Light);
  case 23: // tooltip text
    return p.color(QPalette::ToolTipText);
  case 24: // tooltip background
    return p.color(QPalette::ToolTipBase);
  default:
    return p.color(QPalette::Window);
  }
}

} // namespace

QRect twipsToPixels(int left, int top, int width, int height, double scale) {
  return QRect(toPixels(left, scale), toPixels(top, scale), toPixels(width, scale),
               toPixels(height, scale));
}

QSize twipsToPixels(int width, int height, double scale) {
  return QSize(toPixels(width, scale), toPixels(height, scale));
}

QColor colourFromCode(std::uint32_t code, const QPalette& desktop) {
  constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
  if ((code & kSystemColourFlag) != 0) {
    return systemColour(code & 0xFFu, desktop);
  }
  return QColor(static_cast<int>(code & 0xFFu), static_cast<int>((code >> 8) & 0xFFu),
                static_cast<int>((code >> 16) & 0xFFu));
}

void centreOnScreen(QWidget* window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    // move() places the frame's top-left corner, so the frame is what is centred.
    const QSize frame = window->frameGeometry().size();
    window->move(screen->availableGeometry().center() - QRect(QPoint(), frame).center());
  }
}

namespace {

// Watches one top-level window and its native window; see keepFixedAndCentred().
class FixedPlacement : public QObject {
public:
  explicit FixedPlacement(QWidget* window) : QObject(window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_) {
      widgetEvent(event->type());
    } else if (watched == native_ && event->type() == QEvent::Resize) {
      nativeResized();
    }
    return false;
  }

private:
  void widgetEvent(QEvent::Type type) {
    if (type == QEvent::Show && !shown_) {
      shown_ = true;
      if (QWindow* native = window_->windowHandle()) {
        native_ = native;
        native->installEventFilter(this);
      }
      centre();
    } else if (type == QEvent::Move && shown_ && margins() != centredWith_) {
      // The frame arrives after the window is mapped, with a move of the
      // client area; the user moving the window changes no margins.
      centre();
    }
  }

  // Without a window manager a resize request from another client reaches
  // the native window, which then no longer matches the fixed-size widget
  // drawn in it; it is put back to the widget's size.
  void nativeResized() {
    if (restorePending_ || !isFixed() || native_->size() == window_->minimumSize()) {
      return;
    }
    restorePending_ = true;
    // Deferred: the platform is still delivering the resize it was asked for.
    QTimer::singleShot(0, this, [this] {
      restorePending_ = false;
      if (native_ && isFixed() && native_->size() != window_->minimumSize()) {
        native_->resize(window_->minimumSize());
      }
    });
  }

  [[nodiscard]] bool isFixed() const { return window_->minimumSize() == window_->maximumSize(); }
  [[nodiscard]] QMargins margins() const {
    const QRect frame = window_->frameGeometry();
    const QRect client = window_->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
  }
  void centre() {
    centredWith_ = margins();
    centreOnScreen(window_);
  }

  QWidget* window_;
  QPointer<QWindow> native_;
  bool shown_ = false;
  bool restorePending_ = false;
  QMargins centredWith_;
};

} // namespace

void keepFixedAndCentred(QWidget* window) {
  window->installEventFilter(new FixedPlacement(window));
}

} // namespace glyphbox::ui
