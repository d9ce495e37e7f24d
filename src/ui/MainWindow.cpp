#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QStatusBar>
#include <QUndoStack>

#include "ContentView.h"
#include "PrimerListEditor.h"

namespace tamsel {
namespace {

constexpr QSize kInitialSize(960, 640);
constexpr int kStatusMessageMs = 4000;
const QString kModifiedPlaceholder = QStringLiteral("[*]");

}  // namespace

MainWindow::MainWindow(std::unique_ptr<DialogProvider> dialogs, QWidget* parent)
    : QMainWindow(parent), content_(new ContentView(std::move(dialogs), this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setCentralWidget(content_);
  setWindowTitle(content_->titleText() + kModifiedPlaceholder);
  resize(kInitialSize);
  connect(content_, &ContentView::titleChanged, this,
          [this](const QString& title) { setWindowTitle(title + kModifiedPlaceholder); });
  connect(content_, &ContentView::modifiedChanged, this, &QWidget::setWindowModified);
  connect(content_, &ContentView::statusMessage, this,
          [this](const QString& message) { statusBar()->showMessage(message, kStatusMessageMs); });
  connect(content_, &ContentView::openInNewWindowRequested, this, &MainWindow::fileOpenRequested);
  buildFileMenu();
  buildEditMenu();
  buildViewAndToolsMenus();
  qApp->installEventFilter(this);
}

QString MainWindow::windowTitle() const {
  QString title = QMainWindow::windowTitle();
  return title.remove(kModifiedPlaceholder);
}

QAction* MainWindow::addAction(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                               InEditors inEditors) {
  QAction* action = menu->addAction(text);
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  if (inEditors == InEditors::windowTakes) windowKeys_.append(keys);
  return action;
}

// A focused widget claims a key for itself by accepting its shortcut
// override; for the window's own command keys the claim is refused.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (widget && widget->window() == this && windowKeys_.contains(QKeySequence(key->keyCombination()))) {
      event->ignore();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::buildFileMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  connect(addAction(file, QStringLiteral("New Window"), {QKeySequence::New}), &QAction::triggered, this,
          &MainWindow::newWindowRequested);
  file->addSeparator();
  connect(addAction(file, QStringLiteral("Import\u2026"), {QKeySequence::Open}), &QAction::triggered, content_,
          &ContentView::presentImporter);
  QAction* exportAction = addAction(file, QStringLiteral("Export\u2026"), {QKeySequence(Qt::CTRL | Qt::Key_E)});
  connect(exportAction, &QAction::triggered, content_, &ContentView::exportList);
  exportAction->setEnabled(false);
  connect(content_, &ContentView::exportAvailabilityChanged, exportAction, &QAction::setEnabled);
  file->addSeparator();
  connect(addAction(file, QStringLiteral("Close Window"), {QKeySequence::Close}), &QAction::triggered, this,
          &QWidget::close);
  connect(addAction(file, QStringLiteral("Quit"), {QKeySequence::Quit}), &QAction::triggered, qApp,
          &QApplication::closeAllWindows);
}

void MainWindow::buildEditMenu() {
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QUndoStack& undoStack = content_->undoStack();
  QAction* undo = undoStack.createUndoAction(this, QStringLiteral("Undo"));
  undo->setShortcuts(QKeySequence::Undo);
  QAction* redo = undoStack.createRedoAction(this, QStringLiteral("Redo"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();

  PrimerListEditor& editor = content_->editor();
  const auto item = [&](const QString& text, const QList<QKeySequence>& keys, void (PrimerListEditor::*slot)(),
                        InEditors inEditors = InEditors::windowTakes) {
    connect(addAction(edit, text, keys, inEditors), &QAction::triggered, &editor, slot);
  };
  item(QStringLiteral("Cut"), {QKeySequence::Cut}, &PrimerListEditor::cut, InEditors::textKeeps);
  item(QStringLiteral("Copy"), {QKeySequence::Copy}, &PrimerListEditor::copy, InEditors::textKeeps);
  item(QStringLiteral("Paste"), {QKeySequence::Paste}, &PrimerListEditor::paste, InEditors::textKeeps);
  item(QStringLiteral("Delete"), {QKeySequence::Delete}, &PrimerListEditor::deleteSelected, InEditors::textKeeps);
  edit->addSeparator();
  item(QStringLiteral("Add Primer"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), QKeySequence(Qt::Key_Insert)},
       &PrimerListEditor::addPrimer);
  item(QStringLiteral("Rename"), {QKeySequence(Qt::Key_F2)}, &PrimerListEditor::renameCurrent);
  item(QStringLiteral("Move Up"), {QKeySequence(Qt::ALT | Qt::Key_Up)}, &PrimerListEditor::moveUp);
  item(QStringLiteral("Move Down"), {QKeySequence(Qt::ALT | Qt::Key_Down)}, &PrimerListEditor::moveDown);
  edit->addSeparator();
  item(QStringLiteral("Select All"), {QKeySequence::SelectAll}, &PrimerListEditor::selectAll, InEditors::textKeeps);
  item(QStringLiteral("Tick"), {}, &PrimerListEditor::tickSelected);
  item(QStringLiteral("Untick"), {}, &PrimerListEditor::untickSelected);
  edit->addSeparator();
  connect(addAction(edit, QStringLiteral("Find"), {QKeySequence::Find}), &QAction::triggered, content_,
          &ContentView::showFind);
}

void MainWindow::buildViewAndToolsMenus() {
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* properties = view->addAction(QStringLiteral("Show Length, GC and Tm"));
  properties->setObjectName(QStringLiteral("showPropertiesAction"));
  properties->setCheckable(true);
  connect(properties, &QAction::toggled, content_, &ContentView::setPropertyColumnsShown);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  QAction* check = addAction(tools, QStringLiteral("Check List"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)});
  check->setObjectName(QStringLiteral("checkListAction"));
  connect(check, &QAction::triggered, content_, &ContentView::showListFindings);
  check->setEnabled(false);
  connect(content_, &ContentView::exportAvailabilityChanged, check, &QAction::setEnabled);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (content_->isBusy() || !content_->maybeDiscardChanges()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tamsel
