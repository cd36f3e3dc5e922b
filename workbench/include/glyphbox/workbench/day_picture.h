#pragma once

// The picture of a day (rows/drawing.h) painted with Qt: on screen, fitted
// to its place at a scale whose every edge falls on a whole device pixel,
// and into an image for "Save picture".
//
//   PictureColours::ofPaper() / ::of(palette)  the SVG's paint, or the desktop's
//   paintDrawing(painter, drawing, colours)    in drawing units: scale the painter first
//   pictureImage(drawing, scale, colours)      -> QImage of scale x the drawing's size
//   crispScale(fit, devicePixelRatio)          -> the largest scale <= fit on half device pixels

#include <glyphbox/rows/drawing.h>

#include <QColor>
#include <QImage>
#include <QWidget>

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

void paintDrawing(QPainter& painter, const rows::Drawing& drawing, const PictureColours& colours);

// Preconditions: scale > 0.
[[nodiscard]] QImage pictureImage(const rows::Drawing& drawing, double scale,
                                  const PictureColours& colours);

// The drawing's edges lie on even units (its lengths and offsets are all
// even): at a scale that is a whole number of half device pixels per unit
// every edge lands on a whole device pixel. The largest such scale up to
// fit, and never below half a device pixel.
[[nodiscard]] double crispScale(double fit, double devicePixelRatio);

// The picture of a day, as large as its place allows and crisp.
class DayPicture : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(DayPicture)

public:
  explicit DayPicture(QWidget* parent = nullptr);

  // Shows drawing, or nothing.
  void setDrawing(std::optional<rows::Drawing> drawing);
  [[nodiscard]] const std::optional<rows::Drawing>& drawing() const { return drawing_; }
  // The scale the picture is painted at now, in logical pixels per unit.
  [[nodiscard]] double scale() const;

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  std::optional<rows::Drawing> drawing_;
};

} // namespace glyphbox::workbench
