#pragma once

// The application: one kind of window, each with its own primer list; the
// process ends when the last window closes.

#include <QApplication>

namespace tamsel {

class MainWindow;

class Tamsel2App {
 public:
  Tamsel2App(int& argc, char** argv);

  // Opens the first window, importing the file named on the command line if
  // there is one, and runs until the last window closes.
  int run();

  MainWindow* openWindow();

 private:
  QApplication application_;
};

}  // namespace tamsel
