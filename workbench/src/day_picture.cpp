#include <glyphbox/workbench/day_picture.h>

#include <glyphbox/rows/svg.h>

#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace glyphbox::workbench {
namespace {

using Kind = rows::Shape::Kind;

// Scales snap to half device pixels (see crispScale).
constexpr double kScaleStep = 0.5;
// On screen the picture grows no larger than twice its size.
constexpr double kLargestScale = 2;
// The picture is tall: room is kept for half its size at least.
constexpr double kSmallestShownScale = 0.5;

QColor colourOf(std::string_view hex) { return QColor(QLatin1String(hex.data(), hex.size())); }

QPainterPath shellPath(const rows::Shape& shell) {
  QPainterPath path;
  for (const rows::PathStep& step : rows::shellOutline(shell)) {
    switch (step.op) {
    case rows::PathStep::Op::Move:
      path.moveTo(step.x, step.y);
      break;
    case rows::PathStep::Op::Line:
      path.lineTo(step.x, step.y);
      break;
    case rows::PathStep::Op::Cubic:
      path.cubicTo(step.x1, step.y1, step.x2, step.y2, step.x, step.y);
      break;
    case rows::PathStep::Op::Close:
      path.closeSubpath();
      break;
    }
  }
  return path;
}

void paintText(QPainter& painter, const rows::Shape& s) {
  QFont font(QStringLiteral("sans-serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(s.height))));
  painter.setFont(font);
  const QString text = QString::fromUtf8(s.text.data(), static_cast<qsizetype>(s.text.size()));
  const double advance = QFontMetricsF(font).horizontalAdvance(text);
  const double x = s.align == rows::Shape::Align::Middle ? s.x + (s.width - advance) / 2 : s.x;
  painter.drawText(QPointF(x, s.y + rows::kTextBaseline * s.height), text);
}

} // namespace

PictureColours PictureColours::ofPaper() {
  return {colourOf(rows::paint::kInk), colourOf(rows::paint::kPaper),
          colourOf(rows::paint::kStone)};
}

PictureColours PictureColours::of(const QPalette& palette) {
  constexpr int kDarkBelow = 128; // a window colour this dark is a dark desktop's
  if (palette.color(QPalette::Window).lightness() >= kDarkBelow) {
    return ofPaper();
  }
  const QColor text = palette.color(QPalette::Text);
  const QColor base = palette.color(QPalette::Base);
  // The blocks a little lighter than the background, as stone is darker than paper.
  constexpr double kStoneShare = 0.12;
  const QColor stone = QColor::fromRgbF(
      static_cast<float>(base.redF() + (text.redF() - base.redF()) * kStoneShare),
      static_cast<float>(base.greenF() + (text.greenF() - base.greenF()) * kStoneShare),
      static_cast<float>(base.blueF() + (text.blueF() - base.blueF()) * kStoneShare));
  return {text, base, stone};
}

void paintDrawing(QPainter& painter, const rows::Drawing& drawing, const PictureColours& colours) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(QRectF(0, 0, drawing.width, drawing.height), colours.paper);
  // In the drawing's order: blocks before what lies on them.
  for (const rows::Shape& s : drawing.shapes) {
    const QRectF box(s.x, s.y, s.width, s.height);
    switch (s.kind) {
    case Kind::Frame:
      painter.setPen(QPen(colours.ink, rows::paint::kFrameStroke));
      painter.setBrush(colours.stone);
      painter.drawRoundedRect(box, rows::paint::kFrameRadius, rows::paint::kFrameRadius);
      break;
    case Kind::Bar:
      painter.setPen(Qt::NoPen);
      painter.setBrush(colours.ink);
      painter.drawRoundedRect(box, s.height * rows::paint::kBarRadius,
                              s.height * rows::paint::kBarRadius);
      break;
    case Kind::Dot:
      painter.setPen(Qt::NoPen);
      painter.setBrush(colours.ink);
      painter.drawEllipse(box);
      break;
    case Kind::Shell:
      painter.setPen(
          QPen(colours.ink, rows::paint::kShellStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(shellPath(s));
      break;
    case Kind::Text:
      painter.setPen(colours.ink);
      paintText(painter, s);
      break;
    }
  }
  painter.restore();
}

QImage pictureImage(const rows::Drawing& drawing, double scale, const PictureColours& colours) {
  QImage image(static_cast<int>(std::ceil(drawing.width * scale)),
               static_cast<int>(std::ceil(drawing.height * scale)), QImage::Format_RGB32);
  image.fill(colours.paper);
  QPainter painter(&image);
  painter.scale(scale, scale);
  paintDrawing(painter, drawing, colours);
  return image;
}

double crispScale(double fit, double devicePixelRatio) {
  const double steps = std::floor(fit * devicePixelRatio / kScaleStep);
  return std::max(steps, 1.0) * kScaleStep / devicePixelRatio;
}

DayPicture::DayPicture(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void DayPicture::setDrawing(std::optional<rows::Drawing> drawing) {
  drawing_ = std::move(drawing);
  setAccessibleDescription(drawing_ ? QString::fromStdString(drawing_->title) : QString());
  updateGeometry();
  update();
}

double DayPicture::scale() const {
  if (!drawing_) {
    return 1;
  }
  const double fit =
      std::min({width() / drawing_->width, height() / drawing_->height, kLargestScale});
  return crispScale(fit, devicePixelRatioF());
}

QSize DayPicture::sizeHint() const {
  if (!drawing_) {
    return {};
  }
  return QSize(static_cast<int>(std::ceil(drawing_->width)),
               static_cast<int>(std::ceil(drawing_->height * kSmallestShownScale)));
}

QSize DayPicture::minimumSizeHint() const {
  return drawing_ ? QSize(static_cast<int>(std::ceil(drawing_->width * kSmallestShownScale)),
                          static_cast<int>(std::ceil(drawing_->height * kSmallestShownScale)))
                  : QSize();
}

void DayPicture::paintEvent(QPaintEvent* /*event*/) {
  if (!drawing_) {
    return;
  }
  QPainter painter(this);
  const double s = scale();
  // Centred across, at the top, on a whole device pixel.
  const double dpr = devicePixelRatioF();
  const double left = std::floor((width() - drawing_->width * s) / 2 * dpr) / dpr;
  painter.translate(std::max(0.0, left), 0);
  painter.scale(s, s);
  paintDrawing(painter, *drawing_, PictureColours::of(palette()));
}

} // namespace glyphbox::workbench
