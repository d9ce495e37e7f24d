#include "Tamsel2App.h"

#include <QCommandLineParser>
#include <QIcon>

#include "ContentView.h"
#include "Version.h"
#include "MainWindow.h"

namespace tamsel {

Tamsel2App::Tamsel2App(int& argc, char** argv) : application_(argc, argv) {
  QApplication::setApplicationName(QStringLiteral("Tamsel"));
  QApplication::setApplicationVersion(QString::fromUtf8(kVersion));
  QApplication::setDesktopFileName(QStringLiteral("tamsel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/tamsel/tamsel.svg")));
  QApplication::setQuitOnLastWindowClosed(true);
}

int Tamsel2App::run() {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Converts lists of PCR primers between file formats."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A primer list to open."), QStringLiteral("[file]"));
  parser.process(application_);

  MainWindow* window = openWindow();
  if (!parser.positionalArguments().isEmpty() && !parser.positionalArguments().front().isEmpty()) {
    // Once the loop runs, so that the window is up before any alert.
    QMetaObject::invokeMethod(
        &window->content(), [window, fileName = parser.positionalArguments().front()] {
          window->content().importFrom(fileName);
        },
        Qt::QueuedConnection);
  }
  return application_.exec();
}

MainWindow* Tamsel2App::openWindow() {
  auto* window = new MainWindow;
  QObject::connect(window, &MainWindow::newWindowRequested, window, [this] { openWindow(); });
  QObject::connect(window, &MainWindow::fileOpenRequested, window, [this](const QString& fileName) {
    MainWindow* opened = openWindow();
    QMetaObject::invokeMethod(
        &opened->content(), [opened, fileName] { opened->content().importFrom(fileName); }, Qt::QueuedConnection);
  });
  window->show();
  return window;
}

}  // namespace tamsel
