#include <glyphbox/ui/picture_forms.h>

#include <glyphbox/assets.h>
#include <glyphbox/ui/error_report.h>
#include <glyphbox/ui/geometry.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>
#include <glyphbox/ui/window_system.h>

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace glyphbox::ui {
namespace {

constexpr int kSplashMilliseconds = 2000;
constexpr int kThinkingMilliseconds = 1000;

// A key the window's key handler receives: one that types a character. Tab
// still moves the focus, and Delete types nothing.
bool typesCharacter(const QKeyEvent* key) {
  if (key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
    return false;
  }
  return key->text().front() != QChar(0x7f);
}

// The delay timer of a picture window, destroyed with it. Precise: a coarse
// timer may fire up to 5% early.
QTimer* makeDelayTimer(QObject* window, int milliseconds) {
  auto* timer = new QTimer(window);
  timer->setObjectName(QStringLiteral("Timer1"));
  timer->setInterval(milliseconds);
  timer->setTimerType(Qt::PreciseTimer);
  return timer;
}

// The client area of a picture window: the picture at its natural size from
// the top-left corner, cut by the area's edge; the window's background shows
// where the picture leaves a strip uncovered.
class PictureClient : public QWidget {
public:
  PictureClient(const QPixmap& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setObjectName(QStringLiteral("client"));
  }

protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
  }

private:
  QPixmap picture_;
};

} // namespace

PictureForm::PictureForm(WindowRegistry& registry, const QPixmap& picture, int clientWidthTwips,
                         int clientHeightTwips)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      registry_(registry), frame_(windowManagerDrawsFrames() ? 0 : 1) {
  setWindowIcon(assets::applicationIcon());
  const QSize clientSize = twipsToPixels(clientWidthTwips, clientHeightTwips);
  client_ = new PictureClient(picture, this);
  client_->setGeometry(QRect(QPoint(frame_, frame_), clientSize));
  setFixedSize(clientSize + QSize(2 * frame_, 2 * frame_));
  keepFixedAndCentred(this);
  centreOnScreen(this);
}

void PictureForm::paintEvent(QPaintEvent* /*event*/) {
  if (frame_ > 0) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Dark), frame_));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
  }
}

void PictureForm::showEvent(QShowEvent* event) {
  // Before the window is mapped, so the window manager frames it so from the start.
  requestBorderWithoutTitle(this);
  QWidget::showEvent(event);
}

void PictureForm::handOverTo(const char* next) {
  registry_.show(QLatin1String(next));
  registry_.unload(objectName());
}

// --- SplashForm --------------------------------------------------------------------

SplashForm::SplashForm(WindowRegistry& registry)
    : PictureForm(registry, assets::splashPicture(), 4350, 3765) {
  Timer1 = makeDelayTimer(this, kSplashMilliseconds);
  connectHandler(Timer1, &QTimer::timeout, this, &SplashForm::Timer1_Timer);
  Form_Load();
}

void SplashForm::Form_Load() { Timer1->start(); }

void SplashForm::Timer1_Timer() { handOverTo(kMainWindow); }

// --- ThinkingForm ------------------------------------------------------------------

ThinkingForm::ThinkingForm(WindowRegistry& registry)
    : PictureForm(registry, assets::thinkingPicture(), 3225, 3195) {
  Timer1 = makeDelayTimer(this, kThinkingMilliseconds);
  Timer1->start(); // enabled from creation
  connectHandler(Timer1, &QTimer::timeout, this, &ThinkingForm::Timer1_Timer);
  Form_Load();
}

void ThinkingForm::Form_Load() {
  if (!Timer1->isActive()) { // enabling a running timer leaves it running
    Timer1->start();
  }
}

void ThinkingForm::Timer1_Timer() { handOverTo(kAboutForm); }

// --- AboutForm ---------------------------------------------------------------------

AboutForm::AboutForm(WindowRegistry& registry)
    : PictureForm(registry, assets::aboutPicture(), 6870, 3855) {
  Command1 = new QPushButton(QStringLiteral("Whatever"), client());
  Command1->setObjectName(QStringLiteral("Command1"));
  // The caption must show whole: the button grows to its text if the font asks.
  const QRect placed = twipsToPixels(120, 120, 855, 255);
  Command1->setGeometry(QRect(placed.topLeft(), placed.size().expandedTo(Command1->sizeHint())));
  Command1->setFocus();
  connectHandler(Command1, &QPushButton::clicked, this, &AboutForm::Command1_Click);
  installEventFilter(this);
  Command1->installEventFilter(this);
}

bool AboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && typesCharacter(static_cast<QKeyEvent*>(event))) {
    runGuarded(this, [this] { Form_KeyPress(); });
    return true; // a key that closes the window is not also a press of the button
  }
  return QWidget::eventFilter(watched, event);
}

void AboutForm::Command1_Click() { handOverTo(kMainWindow); }

void AboutForm::Form_KeyPress() { handOverTo(kMainWindow); }

} // namespace glyphbox::ui
