#pragma once

// One Tamsel window: a ContentView with the File, Edit, View and Tools menus, a status
// line, and the modified marker in the title.

#include <QMainWindow>

#include <memory>

#include "DialogProvider.h"

namespace tamsel {

class ContentView;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(std::unique_ptr<DialogProvider> dialogs = nullptr, QWidget* parent = nullptr);

  ContentView& content() const { return *content_; }
  // The title as the user reads it, without the modified placeholder.
  QString windowTitle() const;

 signals:
  void newWindowRequested();
  void fileOpenRequested(const QString& fileName);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildFileMenu();
  void buildEditMenu();
  void buildViewAndToolsMenus();
  enum class InEditors { textKeeps, windowTakes };
  // The menus' shortcuts work wherever the focus is inside the window. A
  // text field keeps its own editing keys (copy, paste, undo, select all);
  // the other commands' keys reach the window even where a platform's text
  // bindings claim them (Ctrl+E is "end of line" on some desktops).
  QAction* addAction(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                     InEditors inEditors = InEditors::windowTakes);

  ContentView* content_;
  QList<QKeySequence> windowKeys_;
};

}  // namespace tamsel
