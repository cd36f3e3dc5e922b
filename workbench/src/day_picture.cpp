#include <glyphbox/workbench/day_picture.h>

#include <glyphbox/rows/svg.h>

#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace glyphbox::workbench {
namespace {

using Kind = rows::Shape::Kind;

// On screen the picture grows no larger than twice its size, and no smaller
// than half, where its numerals are still told apart.
constexpr double kLargestScale = 2;
constexpr double kSmallestShownScale = 0.5;

// Drawing units as logical pixels, each edge moved to the nearest whole
// device pixel: the hinting of the picture.
class Snap {
public:
  Snap(double scale, double devicePixelRatio) : scale_(scale), ratio_(devicePixelRatio) {}

  [[nodiscard]] double at(double v) const { return std::round(v * scale_ * ratio_) / ratio_; }
  [[nodiscard]] QRectF rect(const rows::Shape& s) const {
    return QRectF(QPointF(at(s.x), at(s.y)), QPointF(at(s.x + s.width), at(s.y + s.height)));
  }
  // A stroke of whole device pixels, one at least.
  [[nodiscard]] double stroke(double width) const {
    return std::max(1.0, std::round(width * scale_ * ratio_)) / ratio_;
  }
  // Where a stroke of that width is centred so that both its sides fall on
  // whole device pixels: half a pixel inside an edge for an odd width.
  [[nodiscard]] QRectF strokeRect(const QRectF& r, double stroke) const {
    const bool odd = std::lround(stroke * ratio_) % 2 == 1;
    const double half = odd ? 0.5 / ratio_ : 0;
    return r.adjusted(half, half, -half, -half);
  }
  [[nodiscard]] double length(double v) const { return v * scale_; }

private:
  double scale_;
  double ratio_;
};

QColor colourOf(std::string_view hex) { return QColor(QLatin1String(hex.data(), hex.size())); }

QPainterPath shellPath(const rows::Shape& shell, double scale) {
  QPainterPath path;
  for (const rows::PathStep& step : rows::shellOutline(shell)) {
    switch (step.op) {
    case rows::PathStep::Op::Move:
      path.moveTo(step.x * scale, step.y * scale);
      break;
    case rows::PathStep::Op::Line:
      path.lineTo(step.x * scale, step.y * scale);
      break;
    case rows::PathStep::Op::Cubic:
      path.cubicTo(step.x1 * scale, step.y1 * scale, step.x2 * scale, step.y2 * scale,
                   step.x * scale, step.y * scale);
      break;
    case rows::PathStep::Op::Close:
      path.closeSubpath();
      break;
    }
  }
  return path;
}

void paintText(QPainter& painter, const rows::Shape& s, double scale) {
  QFont font(QStringLiteral("sans-serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(s.height * scale))));
  painter.setFont(font);
  const QString text = QString::fromUtf8(s.text.data(), static_cast<qsizetype>(s.text.size()));
  const double advance = QFontMetricsF(font).horizontalAdvance(text);
  const double x = s.align == rows::Shape::Align::Middle ? (s.x + s.width / 2) * scale - advance / 2
                                                         : s.x * scale;
  painter.drawText(QPointF(x, (s.y + rows::kTextBaseline * s.height) * scale), text);
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

void paintDrawing(QPainter& painter, const rows::Drawing& drawing, const PictureColours& colours,
                  double scale, double devicePixelRatio) {
  const Snap snap(scale, devicePixelRatio);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(QRectF(0, 0, snap.at(drawing.width), snap.at(drawing.height)), colours.paper);
  // In the drawing's order: blocks before what lies on them.
  for (const rows::Shape& s : drawing.shapes) {
    const QRectF box = snap.rect(s);
    switch (s.kind) {
    case Kind::Frame: {
      const double stroke = snap.stroke(rows::paint::kFrameStroke);
      const double radius = snap.length(rows::paint::kFrameRadius);
      painter.setPen(QPen(colours.ink, stroke));
      painter.setBrush(colours.stone);
      painter.drawRoundedRect(snap.strokeRect(box, stroke), radius, radius);
      break;
    }
    case Kind::Bar: {
      const double radius = box.height() * rows::paint::kBarRadius;
      painter.setPen(Qt::NoPen);
      painter.setBrush(colours.ink);
      painter.drawRoundedRect(box, radius, radius);
      break;
    }
    case Kind::Dot:
      painter.setPen(Qt::NoPen);
      painter.setBrush(colours.ink);
      painter.drawEllipse(box);
      break;
    case Kind::Shell:
      painter.setPen(QPen(colours.ink, snap.length(rows::paint::kShellStroke), Qt::SolidLine,
                          Qt::RoundCap, Qt::RoundJoin));
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(shellPath(s, scale));
      break;
    case Kind::Text:
      painter.setPen(colours.ink);
      paintText(painter, s, scale);
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
  paintDrawing(painter, drawing, colours, scale, 1);
  return image;
}

// What the scroll area scrolls: the drawing, painted at the picture's scale.
class DayPicture::Canvas : public QWidget {
public:
  explicit Canvas(const DayPicture& picture) : picture_(picture) {}

protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    if (!picture_.drawing_) {
      return;
    }
    QPainter painter(this);
    paintDrawing(painter, *picture_.drawing_, PictureColours::of(palette()), picture_.scale_,
                 devicePixelRatioF());
  }

private:
  const DayPicture& picture_;
};

DayPicture::DayPicture(QWidget* parent) : QScrollArea(parent), canvas_(new Canvas(*this)) {
  setWidget(canvas_);
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  setFrameShape(QFrame::NoFrame);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void DayPicture::setDrawing(std::optional<rows::Drawing> drawing) {
  drawing_ = std::move(drawing);
  setAccessibleDescription(drawing_ ? QString::fromStdString(drawing_->title) : QString());
  fit();
  canvas_->update();
}

void DayPicture::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  fit();
}

void DayPicture::fit() {
  if (!drawing_) {
    canvas_->resize(0, 0);
    return;
  }
  // The room without a scroll bar, which the picture takes only when it is
  // drawn at its smallest and is still too tall.
  const QSize room = maximumViewportSize();
  const double acrossFit = room.width() / drawing_->width;
  const double downFit = room.height() / drawing_->height;
  scale_ = std::clamp(std::min(acrossFit, downFit), kSmallestShownScale, kLargestScale);
  canvas_->resize(static_cast<int>(std::ceil(drawing_->width * scale_)),
                  static_cast<int>(std::ceil(drawing_->height * scale_)));
}

QSize DayPicture::sizeHint() const {
  // Every day's picture is as wide as any other: the room stays the same
  // whether a day is shown or not.
  static const rows::Drawing kAnyDay =
      rows::drawDay(rows::dayInput(0, maya::Spelling::Colonial, maya::HaabNumbering::Seating0));
  const rows::Drawing& d = drawing_ ? *drawing_ : kAnyDay;
  const int frame = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
  return {static_cast<int>(std::ceil(d.width)) + frame,
          static_cast<int>(std::ceil(d.height * kSmallestShownScale))};
}

} // namespace glyphbox::workbench
