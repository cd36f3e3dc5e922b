#include <glyphbox/ui/geometry.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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
    window->move(screen->availableGeometry().center() - QRect(QPoint(), window->size()).center());
  }
}

} // namespace glyphbox::ui
