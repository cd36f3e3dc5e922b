#include <glyphbox/assets.h>
#include <glyphbox/ui/application.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>
#include <glyphbox/version.h>

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char** argv) {
  using namespace glyphbox;
  QCoreApplication::setApplicationName(QLatin1String(kApplicationName));
  QCoreApplication::setApplicationVersion(QLatin1String(kVersionText));

  // --help and --version need no display, so they are answered before the
  // toolkit tries to open one.
  {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
      arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Converts Gregorian dates into the Maya Long Count, Tzolkin and Haab."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(arguments)) {
      std::fprintf(stderr, "glyphbox: %s\n", qPrintable(parser.errorText()));
      return 2;
    }
    if (parser.isSet(version)) {
      parser.showVersion();
    }
    if (parser.isSet(help)) {
      parser.showHelp();
    }
  }

  if (!ui::displayAvailable()) {
    std::fprintf(stderr,
                 "glyphbox: no display to open (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                 "to convert dates without one, use glyphbox-cli\n");
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setWindowIcon(assets::applicationIcon());
  QApplication::setQuitOnLastWindowClosed(false); // the registry decides when the program ends

  ui::WindowRegistry registry;
  ui::defineWindows(registry);
  QObject::connect(&registry, &ui::WindowRegistry::allWindowsUnloaded, &app, &QApplication::quit);
  registry.show(QLatin1String(ui::kSplashForm));
  return QApplication::exec();
}
