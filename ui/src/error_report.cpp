#include <glyphbox/ui/error_report.h>

#include <glyphbox/runtime/error.h>

#include <QMessageBox>

namespace glyphbox::ui {
namespace {

QString wordsFor(const std::exception& error) {
  if (const auto* e = dynamic_cast<const runtime::RuntimeError*>(&error)) {
    QString words = QObject::tr("Glyphbox could not calculate this date.\n\n%1.")
                        .arg(QString::fromUtf8(e->what()));
    if (e->kind() == runtime::ErrorKind::Overflow) {
      words += QObject::tr("\n\nThe Long Count has room for years up to about 12 million CE.");
    }
    return words;
  }
  return QObject::tr("Something went wrong: %1").arg(QString::fromUtf8(error.what()));
}

} // namespace

void reportError(QWidget* owner, const std::exception& error) {
  auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Glyphbox"), wordsFor(error),
                              QMessageBox::Ok, owner);
  box->setObjectName(QStringLiteral("errorReport"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void runGuarded(QWidget* owner, const std::function<void()>& handler) noexcept {
  runGuarded(handler, [owner](const std::exception& e) { reportError(owner, e); });
}

void runGuarded(const std::function<void()>& handler,
                const std::function<void(const std::exception&)>& report) noexcept {
  try {
    try {
      handler();
    } catch (const std::exception& e) {
      report(e);
    } catch (...) {
      report(std::runtime_error("an unknown error"));
    }
  } catch (...) {
    // Reporting itself failed (out of memory): nothing sensible is left to do
    // but keep the program running.
  }
}

} // namespace glyphbox::ui
