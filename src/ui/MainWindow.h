#pragma once

// One Tamsel window: a ContentView with the File and Edit menus, a status
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

 private:
  void buildFileMenu();
  void buildEditMenu();
  // The menus' shortcuts work wherever the focus is inside the window.
  QAction* addAction(QMenu* menu, const QString& text, const QList<QKeySequence>& keys);

  ContentView* content_;
};

}  // namespace tamsel
