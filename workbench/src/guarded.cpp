#include <glyphbox/workbench/guarded.h>

#include <QMainWindow>
#include <QStatusBar>

#include <cstdio>

namespace glyphbox::workbench {

void reportProblem(QWidget* owner, const std::exception& error) {
  const QString words =
      QObject::tr("Something went wrong: %1").arg(QString::fromUtf8(error.what()));
  if (auto* window = qobject_cast<QMainWindow*>(owner->window())) {
    window->statusBar()->showMessage(words);
    return;
  }
  std::fprintf(stderr, "glyphbox-workbench: %s\n", qPrintable(words));
}

} // namespace glyphbox::workbench
