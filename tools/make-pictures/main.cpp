// Draws Glyphbox's pictures and icon. Run it by hand when a picture changes:
//   glyphbox-make-pictures <assets folder>
// It is deterministic for a given Qt and set of fonts: every bit of texture
// comes from a fixed-seed generator, and nothing depends on the time or screen.
// The PNGs it wrote are committed, so builds never need to run it.

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A small fixed-seed generator (xorshift), so textures are the same every run.
class Noise {
public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  std::uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  double unit() { return (next() & 0xFFFFFF) / double(0x1000000); } // [0, 1)

private:
  std::uint32_t state_;
};

QColor shade(const QColor& c, double factor) {
  return QColor::fromRgbF(std::clamp(c.redF() * factor, 0.0, 1.0),
                          std::clamp(c.greenF() * factor, 0.0, 1.0),
                          std::clamp(c.blueF() * factor, 0.0, 1.0));
}

// Speckles a disc with lighter and darker grains so it reads as stone.
void stoneTexture(QImage& img, QPointF centre, double radius, std::uint32_t seed, double strength) {
  Noise noise(seed);
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const double dx = x + 0.5 - centre.x();
      const double dy = y + 0.5 - centre.y();
      const double grain = (noise.unit() - 0.5) * strength;
      if (dx * dx + dy * dy > radius * radius) {
        continue;
      }
      const QColor c = img.pixelColor(x, y);
      img.setPixelColor(x, y, shade(c, 1.0 + grain));
    }
  }
}

QPolygonF ray(QPointF centre, double angle, double inner, double outer, double halfWidth) {
  const QPointF dir(std::cos(angle), std::sin(angle));
  const QPointF side(-dir.y(), dir.x());
  return QPolygonF({centre + dir * inner + side * halfWidth, centre + dir * outer,
                    centre + dir * inner - side * halfWidth});
}

// One small carved glyph block: a rounded square with a few inner marks.
void glyph(QPainter& p, QPointF at, double size, double angle, int variant, const QColor& carve) {
  p.save();
  p.translate(at);
  p.rotate(angle * 180.0 / kPi + 90.0);
  p.setPen(QPen(carve, 1.0));
  p.setBrush(Qt::NoBrush);
  const QRectF box(-size / 2, -size / 2, size, size);
  p.drawRoundedRect(box, size * 0.25, size * 0.25);
  switch (variant % 4) {
  case 0:
    p.drawEllipse(QPointF(0, 0), size * 0.18, size * 0.18);
    break;
  case 1:
    p.drawLine(QPointF(-size * 0.25, 0), QPointF(size * 0.25, 0));
    p.drawLine(QPointF(0, -size * 0.25), QPointF(0, size * 0.25));
    break;
  case 2:
    p.drawEllipse(QPointF(-size * 0.15, -size * 0.1), size * 0.08, size * 0.08);
    p.drawEllipse(QPointF(size * 0.15, -size * 0.1), size * 0.08, size * 0.08);
    p.drawArc(QRectF(-size * 0.2, -size * 0.05, size * 0.4, size * 0.3), 200 * 16, 140 * 16);
    break;
  default:
    p.drawRect(QRectF(-size * 0.2, -size * 0.2, size * 0.4, size * 0.4));
    break;
  }
  p.restore();
}

// A carved calendar stone: rays, rings of glyphs and a face at the centre.
void calendarStone(QPainter& p, QPointF c, double r, const QColor& stone, const QColor& carve,
                   std::uint32_t seed) {
  Noise noise(seed);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient body(c, r);
  body.setColorAt(0.0, shade(stone, 1.15));
  body.setColorAt(0.85, stone);
  body.setColorAt(1.0, shade(stone, 0.7));
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawEllipse(c, r, r);

  p.setPen(QPen(carve, 1.4));
  p.setBrush(Qt::NoBrush);
  for (const double f : {0.97, 0.80, 0.62, 0.44, 0.30}) {
    p.drawEllipse(c, r * f, r * f);
  }
  // Pointed rays between the outer rings.
  p.setBrush(shade(stone, 0.82));
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4 + kPi / 8;
    p.drawPolygon(ray(c, a, r * 0.62, r * 0.97, r * 0.09));
  }
  for (int i = 0; i < 16; ++i) {
    const double a = i * kPi / 8;
    p.drawPolygon(ray(c, a, r * 0.80, r * 0.96, r * 0.04));
  }
  // Rings of glyph blocks.
  const struct {
    double radius;
    int count;
    double size;
  } rings[] = {{0.71, 20, 0.11}, {0.53, 20, 0.09}, {0.37, 12, 0.07}};
  for (const auto& ring : rings) {
    for (int i = 0; i < ring.count; ++i) {
      const double a = (i + 0.5) * 2 * kPi / ring.count;
      glyph(p, c + QPointF(std::cos(a), std::sin(a)) * r * ring.radius, r * ring.size, a,
            static_cast<int>(noise.next() % 4), carve);
    }
  }
  // The face at the centre: eyes, nose, open mouth with tongue, ear spools.
  const double f = r * 0.26;
  p.setBrush(shade(stone, 1.08));
  p.setPen(QPen(carve, 1.3));
  p.drawEllipse(c, f, f * 1.1);
  p.setBrush(carve);
  p.drawEllipse(c + QPointF(-f * 0.4, -f * 0.3), f * 0.16, f * 0.1);
  p.drawEllipse(c + QPointF(f * 0.4, -f * 0.3), f * 0.16, f * 0.1);
  p.drawLine(c + QPointF(0, -f * 0.15), c + QPointF(0, f * 0.15));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - f * 0.4, c.y() + f * 0.2, f * 0.8, f * 0.45), 180 * 16, 180 * 16);
  p.setBrush(shade(stone, 0.75));
  p.drawPolygon(QPolygonF({c + QPointF(-f * 0.12, f * 0.45), c + QPointF(f * 0.12, f * 0.45),
                           c + QPointF(0, f * 0.85)}));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c + QPointF(-f * 1.15, 0), f * 0.2, f * 0.3);
  p.drawEllipse(c + QPointF(f * 1.15, 0), f * 0.2, f * 0.3);
}

void star(QPainter& p, QPointF at, double size) {
  QPainterPath path;
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4;
    const double len = i % 2 == 0 ? size : size * 0.3;
    const QPointF pt = at + QPointF(std::cos(a), std::sin(a)) * len;
    if (i == 0) {
      path.moveTo(pt);
    } else {
      path.lineTo(pt);
    }
  }
  path.closeSubpath();
  p.fillPath(path, Qt::white);
}

QImage splash() {
  QImage img(291, 251, QImage::Format_RGB888);
  img.fill(Qt::black);
  {
    QPainter p(&img);
    calendarStone(p, QPointF(145.5, 125.5), 120, QColor(0x9a, 0x52, 0x33), QColor(0x4a, 0x22, 0x12),
                  7);
  }
  stoneTexture(img, QPointF(145.5, 125.5), 120, 11, 0.35);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // The title line across the lower third, on a dark band so it reads over the stone.
  p.fillRect(QRectF(0, 158, 291, 30), QColor(0, 0, 0, 150));
  QFont title(QStringLiteral("URW Bookman"), 17, QFont::Bold);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
  title.setCapitalization(QFont::AllUppercase);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 158, 291, 30), Qt::AlignCenter, QStringLiteral("Glyphbox"));
  star(p, QPointF(34, 173), 7);
  star(p, QPointF(257, 173), 7);
  star(p, QPointF(50, 166), 3);
  star(p, QPointF(241, 180), 3);
  return img;
}

// The person of the transitional picture, seen from behind at the lower
// right, looking up at the stone to the left: dark clothes over shoulders and
// back, dark hair with lighter strands over the back of the head, one ear and
// the line of the jaw showing as the head turns, and the near hand raised to
// the chin, the elbow resting low.
void person(QPainter& p) {
  const QColor clothes(0x24, 0x24, 0x2c);
  const QColor clothesLight(0x44, 0x44, 0x52);
  const QColor hair(0x22, 0x16, 0x0e);
  const QColor hairLight(0x54, 0x3a, 0x26);
  const QColor skin(0xd4, 0xa2, 0x82);
  const QColor skinShadow(0xa4, 0x74, 0x58);

  // Back and shoulders, lit from the stone's side.
  QPainterPath back;
  back.moveTo(116, 214);
  back.cubicTo(117, 192, 128, 178, 150, 172);
  back.cubicTo(164, 168, 194, 166, 206, 172);
  back.cubicTo(212, 176, 214, 184, 214, 188);
  back.lineTo(214, 214);
  back.closeSubpath();
  QLinearGradient cloth(130, 168, 200, 214);
  cloth.setColorAt(0, clothesLight);
  cloth.setColorAt(0.45, clothes);
  cloth.setColorAt(1, shade(clothes, 0.7));
  p.setPen(Qt::NoPen);
  p.fillPath(back, cloth);
  // The fold of the spine and the collar.
  p.setPen(QPen(shade(clothes, 0.6), 1.4));
  p.drawLine(QPointF(180, 180), QPointF(182, 214));
  p.setPen(QPen(clothesLight, 1.6));
  p.drawArc(QRectF(160, 160, 36, 18), 200 * 16, 140 * 16);

  // Neck, then the head's skin where the hair leaves it: ear and jaw.
  p.setPen(Qt::NoPen);
  p.setBrush(skinShadow);
  p.drawRoundedRect(QRectF(166, 146, 22, 24), 6, 6);
  p.setBrush(skin);
  p.drawEllipse(QPointF(172, 134), 16.5, 20);
  p.setBrush(skin);
  p.drawEllipse(QPointF(156.5, 136), 3.6, 6.2); // the ear
  p.setBrush(skinShadow);
  p.drawEllipse(QPointF(157, 136.5), 1.5, 3.2);

  // Hair over the crown and the back of the head, ending in short locks at
  // the nape and leaving the ear, cheek and jaw free on the near side.
  QPainterPath mop;
  mop.moveTo(159, 128);
  mop.cubicTo(158, 112, 170, 104, 180, 106);
  mop.cubicTo(194, 108, 198, 124, 196, 138);
  mop.cubicTo(195, 146, 192, 152, 189, 156);
  mop.lineTo(186, 152);
  mop.lineTo(183, 158);
  mop.lineTo(179, 152);
  mop.lineTo(175, 157);
  mop.lineTo(172, 150);
  mop.cubicTo(168, 146, 164, 140, 161, 132);
  mop.closeSubpath();
  QRadialGradient shine(QPointF(174, 116), 26);
  shine.setColorAt(0, shade(hairLight, 0.9));
  shine.setColorAt(0.5, hair);
  shine.setColorAt(1, shade(hair, 0.7));
  p.fillPath(mop, shine);
  // Strands from the crown downwards.
  Noise noise(31);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 26; ++i) {
    const double a = 0.15 + noise.unit() * 0.9; // fraction across the head
    const QPointF from(166 + a * 22, 110 + noise.unit() * 6);
    const QPointF to(166 + a * 26 + (noise.unit() - 0.5) * 4, 140 + noise.unit() * 12);
    p.setPen(QPen(i % 3 == 0 ? hairLight : shade(hair, 1.4), 0.8));
    QPainterPath strand(from);
    strand.quadTo(QPointF(from.x() + 5, (from.y() + to.y()) / 2), to);
    p.drawPath(strand);
  }

  // The raised arm: upper arm down from the near shoulder to an elbow held
  // low, forearm up to the chin, then the hand curled under the jaw.
  QPainterPath arm;
  arm.moveTo(146, 180);
  arm.quadTo(124, 192, 127, 206);
  arm.quadTo(138, 182, 150, 162);
  QPen sleeve(clothes, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(sleeve);
  p.drawPath(arm);
  p.setPen(QPen(clothesLight, 1.2));
  p.drawLine(QPointF(131, 200), QPointF(145, 172)); // light along the forearm
  p.setPen(Qt::NoPen);
  p.setBrush(skin);
  p.drawEllipse(QPointF(156, 156), 6.5, 5.5); // hand under the jaw
  p.setBrush(skinShadow);
  p.drawEllipse(QPointF(150.5, 160.5), 3.5, 3); // wrist
  p.setPen(QPen(skinShadow, 0.8));
  for (int i = 0; i < 3; ++i) { // folded fingers
    p.drawLine(QPointF(153 + i * 2.5, 151.5), QPointF(154 + i * 2.5, 155));
  }
}

QImage thinking() {
  QImage img(214, 214, QImage::Format_RGB888);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient room(0, 0, 0, 214);
  room.setColorAt(0, QColor(0xdc, 0xdc, 0xda));
  room.setColorAt(1, QColor(0xc4, 0xc4, 0xc2));
  p.fillRect(img.rect(), room);
  calendarStone(p, QPointF(98, 100), 96, QColor(0xb4, 0xb4, 0xb0), QColor(0x80, 0x80, 0x7c), 23);
  p.end();
  stoneTexture(img, QPointF(98, 100), 96, 29, 0.12);
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing);
  person(p);
  return img;
}

// The About picture's brow: an arch over the eye, before kEyeDrop moves both down.
constexpr double kEyeDrop = 24;
constexpr double kBrowLeft = 95;
constexpr double kBrowWidth = 290;
double browY(double x) { return 78 - std::sin((x - kBrowLeft) / kBrowWidth * kPi) * 34; }

QImage about() {
  QImage img(458, 257, QImage::Format_RGB888);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QRadialGradient skin(QPointF(229, 150), 300);
  skin.setColorAt(0, QColor(0xe2, 0xa8, 0x86));
  skin.setColorAt(0.6, QColor(0xc9, 0x8a, 0x68));
  skin.setColorAt(1, QColor(0x8e, 0x58, 0x3e));
  p.fillRect(img.rect(), skin);
  p.end();
  stoneTexture(img, QPointF(229, 128), 600, 41, 0.05); // faint skin grain
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // The eye and brow sit in the lower part, the title above them.
  p.save();
  p.translate(0, kEyeDrop);
  // The eye: lids, white, iris, pupil and a highlight.
  QPainterPath lids;
  lids.moveTo(110, 165);
  lids.cubicTo(170, 95, 290, 92, 352, 158);
  lids.cubicTo(290, 205, 170, 210, 110, 165);
  p.fillPath(lids, QColor(0xf2, 0xec, 0xe6));
  p.save();
  p.setClipPath(lids);
  QRadialGradient iris(QPointF(232, 150), 42);
  iris.setColorAt(0, QColor(0x6a, 0x44, 0x22));
  iris.setColorAt(0.7, QColor(0x4a, 0x2c, 0x14));
  iris.setColorAt(1, QColor(0x24, 0x14, 0x08));
  p.setPen(Qt::NoPen);
  p.setBrush(iris);
  p.drawEllipse(QPointF(232, 150), 42, 42);
  p.setBrush(QColor(0x08, 0x06, 0x05));
  p.drawEllipse(QPointF(232, 150), 16, 16);
  p.setBrush(QColor(255, 255, 255, 220));
  p.drawEllipse(QPointF(244, 138), 6, 5);
  p.restore();
  p.setPen(QPen(QColor(0x3a, 0x22, 0x16), 3.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(lids);
  // Lashes along the upper lid.
  p.setPen(QPen(QColor(0x1e, 0x12, 0x0c), 1.6));
  for (int i = 0; i < 22; ++i) {
    const double t = 0.08 + i * 0.04;
    const double x = 110 + t * 242;
    const double y = 165 - std::sin(t * kPi) * 58;
    p.drawLine(QPointF(x, y), QPointF(x + (t - 0.5) * 14, y - 9));
  }
  // The eyebrow: many short dark hairs along an arch.
  Noise noise(53);
  p.setPen(QPen(QColor(0x2c, 0x1a, 0x10), 1.8, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 260; ++i) {
    const double t = noise.unit();
    const double x = kBrowLeft + t * kBrowWidth;
    const double y = browY(x) + (noise.unit() - 0.5) * 16 * std::sin(t * kPi + 0.3);
    p.drawLine(QPointF(x, y), QPointF(x + 9, y - 3 + (noise.unit() - 0.5) * 3));
  }
  // Three metal studs pierced through the eyebrow's outer tail, on its arch,
  // where the title does not reach.
  for (const double x : {336.0, 351.0, 365.0}) {
    const QPointF stud(x, browY(x));
    QRadialGradient metal(stud + QPointF(-1.5, -1.5), 6);
    metal.setColorAt(0, Qt::white);
    metal.setColorAt(0.5, QColor(0xb8, 0xbc, 0xc0));
    metal.setColorAt(1, QColor(0x50, 0x54, 0x58));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawEllipse(stud, 5, 5);
  }
  p.restore();
  // The title in white script across the upper half, above the brow, with a
  // soft shadow so it reads on the skin; small texts in the bottom corners.
  QFont script(QStringLiteral("Z003"), 34);
  script.setItalic(true);
  p.setFont(script);
  const QRectF titleBox(60, 0, 340, 56);
  p.setPen(QColor(0x50, 0x28, 0x18, 120));
  p.drawText(titleBox.translated(1.5, 1.5), Qt::AlignCenter, QStringLiteral("Glyphbox"));
  p.setPen(QColor(255, 255, 255, 240));
  p.drawText(titleBox, Qt::AlignCenter, QStringLiteral("Glyphbox"));
  QFont small(QStringLiteral("DejaVu Sans"), 7);
  p.setFont(small);
  p.setPen(Qt::white);
  p.drawText(QRectF(8, 238, 220, 14), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Version 6.06.0006"));
  p.drawText(QRectF(230, 238, 220, 14), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Gregorian to Maya dates"));
  return img;
}

// 48 x 48, a stone disc with a white italic word; outside the disc fully
// transparent through a 1-bit mask. The disc is the 1390 pixels nearest the
// centre, so exactly 914 of the 2304 are transparent.
QImage icon() {
  constexpr int kSize = 48;
  constexpr int kOpaque = kSize * kSize - 914;
  QImage colour(kSize, kSize, QImage::Format_RGB888);
  colour.fill(QColor(0x7a, 0x3c, 0x22));
  {
    QPainter p(&colour);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient body(QPointF(20, 18), 30);
    body.setColorAt(0, QColor(0xb8, 0x68, 0x44));
    body.setColorAt(1, QColor(0x6e, 0x32, 0x1c));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QPointF(24, 24), 23, 23);
    p.setPen(QPen(QColor(0x4a, 0x22, 0x12), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(24, 24), 18.5, 18.5);
  }
  stoneTexture(colour, QPointF(24, 24), 30, 61, 0.3);
  {
    QPainter p(&colour);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont word(QStringLiteral("DejaVu Serif"), 10, QFont::Bold);
    word.setItalic(true);
    word.setPixelSize(12); // the word stays inside the disc with a pixel to spare
    p.setFont(word);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("Maya"));
  }

  struct Pixel {
    double distance;
    int x, y;
  };
  std::vector<Pixel> pixels;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      pixels.push_back({std::hypot(x + 0.5 - kSize / 2.0, y + 0.5 - kSize / 2.0), x, y});
    }
  }
  std::stable_sort(pixels.begin(), pixels.end(),
                   [](const Pixel& a, const Pixel& b) { return a.distance < b.distance; });
  QImage result(kSize, kSize, QImage::Format_ARGB32);
  result.fill(Qt::transparent);
  for (int i = 0; i < kOpaque; ++i) {
    const Pixel& px = pixels[static_cast<std::size_t>(i)];
    result.setPixelColor(px.x, px.y, colour.pixelColor(px.x, px.y));
  }
  return result;
}

bool save(const QImage& img, const QString& path, const char* format = "png") {
  QImageWriter writer(path, format);
  if (!writer.write(img)) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
  }
  std::printf("wrote %s (%dx%d)\n", qPrintable(path), img.width(), img.height());
  return true;
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: glyphbox-make-pictures <assets folder>\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QImage iconImage = icon();
  const bool ok = save(splash(), dir + "/splash.png") && save(thinking(), dir + "/thinking.png") &&
                  save(about(), dir + "/about.png") && save(iconImage, dir + "/glyphbox.png") &&
                  save(iconImage, dir + "/glyphbox.ico", "ico");
  return ok ? 0 : 1;
}
