#pragma once

// One Tamsel window: a ContentView with the File menu and its shortcuts.

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

 signals:
  void newWindowRequested();

 private:
  void buildFileMenu();

  ContentView* content_;
};

}  // namespace tamsel
