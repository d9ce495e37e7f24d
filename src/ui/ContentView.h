#pragma once

// The content of one window: it owns the window's document state (the primer
// list, the imported file's name, the two settings, the pending alerts and
// the focused sequence), shows it, and runs imports and exports. Every change
// to the list or the settings is a step on the window's undo stack; a list
// with steps since the last import or export is modified, and is not closed
// or replaced without the user's word.

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DialogProvider.h"
#include "import/TableLayout.h"
#include "app/ImportFile.h"
#include "model/ListChecks.h"
#include "model/PrimerList.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTimer;
class QUndoStack;

namespace tamsel {

class EmptyStateView;
class ListFindingsDialog;
class SheetChooser;
struct SheetRequest;
class PrimerListEditor;
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
  bool isModified() const;
  // An import or export is running; the window must stay open until it ends.
  bool isBusy() const { return busy_; }

  PrimerTableModel& tableModel() const { return *model_; }
  PrimerTable& table() const { return *table_; }
  PrimerListEditor& editor() const { return *editor_; }
  QUndoStack& undoStack() const { return *undoStack_; }

  // The findings of the list check, run shortly after each change of the
  // list and at once by checkList(); rows are list positions.
  const std::vector<ListFinding>& listFindings() const { return findings_; }
  ListFindingsDialog* listFindingsDialog() const;

  // The reader an import runs off the user-interface thread; tests put in a slow one.
  using Importer = std::function<ImportOutcome(const std::filesystem::path&, const SheetRequest&)>;
  void setImporterForTesting(Importer importer) { importer_ = std::move(importer); }

  // True when the list may be closed or replaced: it is unmodified, or the
  // user exported it or chose to discard it.
  bool maybeDiscardChanges();

 public slots:
  void presentImporter();
  // Imports `fileName` the way the dialog does; alerts on failure.
  void importFrom(const QString& fileName);
  // True when the list was written.
  bool exportList();
  // A stepper's change, as one undo step.
  void setDefaultMismatches(int value);
  void setEndMatches(int value);
  void showFind();
  void closeFind();
  void setPropertyColumnsShown(bool shown);
  void checkList();
  // "Check List": checks the list and shows the findings in a dialog.
  void showListFindings();

 signals:
  void titleChanged(const QString& title);
  void exportAvailabilityChanged(bool available);
  void modifiedChanged(bool modified);
  void statusMessage(const QString& message);
  // A dropped file beyond the first, for a window of its own.
  void openInNewWindowRequested(const QString& fileName);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* makeToolbar();
  QWidget* makeFindBar();
  void showPrimerCount();
  void watchListForChecks();
  void showLayoutNote(const std::optional<TableLayout>& layout);
  // Imports `fileName` reading the worksheets `sheet` names.
  void importSheets(const QString& fileName, const SheetRequest& sheet);
  void presentPendingAlerts();
  // Shows and stores the settings without an undo step.
  void applySettings(const ListSettings& settings);
  void pushSettings(const ListSettings& settings, const QString& stepper);
  ListSettings settings() const { return {defaultMismatches_, endMatches_}; }

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
  Importer importer_;
  bool busy_ = false;
  QUndoStack* undoStack_;
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
  QWidget* findBar_ = nullptr;
  QLineEdit* findField_ = nullptr;
  QStackedWidget* body_ = nullptr;
  EmptyStateView* emptyState_ = nullptr;
  PrimerTable* table_ = nullptr;
  PrimerListEditor* editor_ = nullptr;
  QTimer* checkTimer_ = nullptr;
  std::vector<ListFinding> findings_;
  QPointer<ListFindingsDialog> findingsDialog_;
};

}  // namespace tamsel
