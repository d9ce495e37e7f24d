#pragma once

// The content of one window: it owns the window's document state (the primer
// list, the imported file's name, the two settings, the pending alerts and
// the focused sequence), shows it, and runs imports and exports.

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DialogProvider.h"
#include "import/TableLayout.h"
#include "model/PrimerEntry.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace tamsel {

class EmptyStateView;
class SheetChooser;
struct SheetRequest;
class PrimerTable;
class PrimerTableModel;

class ContentView : public QWidget {
  Q_OBJECT

 public:
  // Without a provider the window uses the real dialogs.
  explicit ContentView(std::unique_ptr<DialogProvider> dialogs = nullptr, QWidget* parent = nullptr);
  ~ContentView() override;

  const PrimerList& primers() const { return primers_; }
  const QString& importedFileName() const { return importedFileName_; }
  int defaultMismatches() const { return defaultMismatches_; }
  int endMatches() const { return endMatches_; }
  const std::optional<PrimerID>& focusedSequenceID() const { return focusedSequenceID_; }
  bool isImporterPresented() const { return isImporterPresented_; }
  // "Tamsel" while the list has its default name "primers".
  QString titleText() const;

  PrimerTableModel& tableModel() const { return *model_; }
  PrimerTable& table() const { return *table_; }

 public slots:
  void presentImporter();
  // Imports `fileName` the way the dialog does; alerts on failure.
  void importFrom(const QString& fileName);
  void exportList();
  void setDefaultMismatches(int value);
  void setEndMatches(int value);

 signals:
  void titleChanged(const QString& title);
  void exportAvailabilityChanged(bool available);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* makeToolbar();
  void showPrimerCount();
  void showLayoutNote(const std::optional<TableLayout>& layout);
  // Imports `fileName` reading the worksheets `sheet` names.
  void importSheets(const QString& fileName, const SheetRequest& sheet);
  void presentPendingAlerts();

  // Window state.
  bool isImporterPresented_ = false;
  PrimerList primers_;
  QString importedFileName_ = QStringLiteral("primers");
  std::optional<QString> importError_;
  std::optional<QString> exportError_;
  int defaultMismatches_ = kDefaultMismatches;
  int endMatches_ = kDefaultEndMatches;
  std::optional<PrimerID> focusedSequenceID_;

  std::unique_ptr<DialogProvider> dialogs_;
  PrimerTableModel* model_;
  QPushButton* exportButton_ = nullptr;
  QSpinBox* mismatchesBox_ = nullptr;
  QSpinBox* endMatchesBox_ = nullptr;
  QLabel* countLabel_ = nullptr;
  // How the last imported table was read, when not with the plain layout.
  QLabel* layoutNote_ = nullptr;
  // The worksheets of the last workbook imported, to read it again from another.
  SheetChooser* sheetChooser_ = nullptr;
  QString workbookFile_;
  std::vector<std::string> workbookSheets_;
  std::optional<std::size_t> workbookSheet_;
  QStackedWidget* body_ = nullptr;
  EmptyStateView* emptyState_ = nullptr;
  PrimerTable* table_ = nullptr;
};

}  // namespace tamsel
