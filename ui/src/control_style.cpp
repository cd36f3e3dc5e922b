#include <glyphbox/ui/control_style.h>

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace glyphbox::ui {

ControlStyle::ControlStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void ControlStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  if (element != PE_FrameFocusRect) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(QPen(option->palette.color(QPalette::Highlight), 1));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
  painter->restore();
}

int ControlStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
  if (hint == SH_ComboBox_Popup) {
    return 0;
  }
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace glyphbox::ui
