#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenuBar>

#include "ContentView.h"

namespace tamsel {
namespace {

constexpr QSize kInitialSize(960, 640);

}  // namespace

MainWindow::MainWindow(std::unique_ptr<DialogProvider> dialogs, QWidget* parent)
    : QMainWindow(parent), content_(new ContentView(std::move(dialogs), this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setCentralWidget(content_);
  setWindowTitle(content_->titleText());
  resize(kInitialSize);
  connect(content_, &ContentView::titleChanged, this, &QWidget::setWindowTitle);
  buildFileMenu();
}

void MainWindow::buildFileMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("New Window"), QKeySequence::New, this, &MainWindow::newWindowRequested);
  file->addSeparator();
  file->addAction(QStringLiteral("Import\u2026"), QKeySequence::Open, content_, &ContentView::presentImporter);
  QAction* exportAction =
      file->addAction(QStringLiteral("Export\u2026"), QKeySequence(Qt::CTRL | Qt::Key_E), content_,
                      &ContentView::exportList);
  exportAction->setEnabled(false);
  connect(content_, &ContentView::exportAvailabilityChanged, exportAction, &QAction::setEnabled);
  file->addSeparator();
  file->addAction(QStringLiteral("Close Window"), QKeySequence::Close, this, &QWidget::close);
  file->addAction(QStringLiteral("Quit"), QKeySequence::Quit, qApp, &QApplication::closeAllWindows);
}

}  // namespace tamsel
