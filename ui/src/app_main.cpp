#include <glyphbox/ui/main_window.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>
#include <glyphbox/version.h>

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QLatin1String(glyphbox::kApplicationName));
  QApplication::setApplicationVersion(QLatin1String(glyphbox::kVersionText));
  QApplication::setQuitOnLastWindowClosed(false); // the registry decides when the program ends

  using namespace glyphbox::ui;
  WindowRegistry registry;
  registry.define(QLatin1String(kMainWindow), [](WindowRegistry& r) { return new MainWindow(r); });
  QObject::connect(&registry, &WindowRegistry::allWindowsUnloaded, &app, &QApplication::quit);
  registry.show(QLatin1String(kMainWindow));
  return QApplication::exec();
}
