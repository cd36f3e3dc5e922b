#pragma once

#include <QColor>
#include <QProxyStyle>

namespace glyphbox::ui {

// The light colour the focus mark is drawn in on the window's black controls:
// the style's own mark is a faint dark blue that cannot be seen on black.
inline constexpr QRgb kFocusMarkColour = 0xFFFFC83C; // amber, about 12:1 against black

// The application's style, with two changes for the main window's controls:
// - the focus mark is a solid line in the control's Highlight colour, shown
//   whenever the control has the focus, however it got it;
// - drop-down lists open as a scrolling list of at most maxVisibleItems items
//   rather than a popup as tall as all their items, whatever the style prefers.
class ControlStyle : public QProxyStyle {
public:
  // Wraps a fresh instance of the application's current style.
  ControlStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace glyphbox::ui
