#pragma once

// The picture of a day (rows/drawing.h) painted with Qt: on screen, fitted
// to its place, and into an image for "Save picture". At every scale each
// bar, dot and block is snapped to whole device pixels, as fonts are hinted,
// so that its edges stay crisp.
//
//   PictureColours::ofPaper() / ::of(palette)  the SVG's paint, or the desktop's
//   paintDrawing(painter, drawing, colours, scale, devicePixelRatio)
//   pictureImage(drawing, scale, colours)      -> QImage of scale x the drawing's size

#include <glyphbox/rows/drawing.h>

#include <QColor>
#include <QImage>
#include <QScrollArea>

#include <optional>

class QPainter;
class QPalette;

namespace glyphbox::workbench {

struct PictureColours {
  QColor ink;   // bars, dots, the shell, outlines and labels
  QColor paper; // the background
  QColor stone; // inside the blocks
  // The paint of the SVG the picture is saved as.
  [[nodiscard]] static PictureColours ofPaper();
  // The SVG's paint on a light desktop; on a dark one, the palette's own
  // text on its base, so that the picture reads like the rest of the window.
  [[nodiscard]] static PictureColours of(const QPalette& palette);
};

// Paints the drawing at scale logical pixels per unit, its top left corner
// at the painter's origin. Preconditions: scale > 0; the painter is not
// scaled or rotated, and its origin lies on a whole device pixel.
void paintDrawing(QPainter& painter, const rows::Drawing& drawing, const PictureColours& colours,
                  double scale, double devicePixelRatio);

// Preconditions: scale > 0.
[[nodiscard]] QImage pictureImage(const rows::Drawing& drawing, double scale,
                                  const PictureColours& colours);

// The picture of a day, as large as its place allows up to twice its size,
// and never below half its size, where it scrolls instead.
class DayPicture : public QScrollArea {
  Q_OBJECT
  Q_DISABLE_COPY(DayPicture)

public:
  explicit DayPicture(QWidget* parent = nullptr);

  // Shows drawing, or nothing.
  void setDrawing(std::optional<rows::Drawing> drawing);
  [[nodiscard]] const std::optional<rows::Drawing>& drawing() const { return drawing_; }
  // The scale the picture is painted at now, in logical pixels per unit.
  [[nodiscard]] double scale() const { return scale_; }

  [[nodiscard]] QSize sizeHint() const override;

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  class Canvas;
  // Chooses the scale for the room the viewport has, and sizes the canvas.
  void fit();

  std::optional<rows::Drawing> drawing_;
  double scale_ = 1;
  Canvas* canvas_ = nullptr;
};

} // namespace glyphbox::workbench
