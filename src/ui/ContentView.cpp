#include "ContentView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <memory>

#include "BackgroundTask.h"
#include "EmptyStateView.h"
#include "ListFindingsDialog.h"
#include "PrimerCommands.h"
#include "PrimerListEditor.h"
#include "PrimerTable.h"
#include "PrimerTableModel.h"
#include "QtDialogProvider.h"
#include "QtText.h"
#include "SequenceDelegate.h"
#include "SheetChooser.h"
#include "app/ExportPrimers.h"
#include "formats/FormatRegistry.h"

namespace tamsel {
namespace {

constexpr int kSettingMinimum = 0;
constexpr int kSettingMaximum = 10;
constexpr QSize kMinimumSize(600, 400);
// The list is checked again once edits pause this long, so a long list is
// not checked on every keystroke or pasted row.
constexpr int kCheckDelayMilliseconds = 300;

QSpinBox* settingBox(const QString& label, int value, const QString& objectName, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(objectName);
  box->setPrefix(label);
  box->setRange(kSettingMinimum, kSettingMaximum);
  box->setSingleStep(1);
  box->setValue(value);
  return box;
}

// A file may hold any byte value, and the window keeps it, so opening and
// exporting a file changes nothing. The stepper reaches such a value until
// the user steps back inside 0 to 10.
void showSetting(QSpinBox& box, int value) {
  const QSignalBlocker blocker(box);
  box.setMaximum(value > kSettingMaximum ? std::max(box.maximum(), value) : kSettingMaximum);
  box.setValue(value);
}

QStringList localFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files.append(url.toLocalFile());
  }
  return files;
}

}  // namespace

ContentView::ContentView(std::unique_ptr<DialogProvider> dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogProvider>()),
      importer_(importFile),
      undoStack_(new QUndoStack(this)),
      model_(new PrimerTableModel(primers_, endMatches_, this)) {
  setMinimumSize(kMinimumSize);
  setAcceptDrops(true);
  model_->setUndoStack(undoStack_);

  auto* divider = new QFrame(this);
  divider->setFrameShape(QFrame::HLine);
  divider->setFrameShadow(QFrame::Sunken);

  emptyState_ = new EmptyStateView(this);
  table_ = new PrimerTable(*model_, this);
  table_->setObjectName(QStringLiteral("primerTable"));
  body_ = new QStackedWidget(this);
  body_->addWidget(emptyState_);
  body_->addWidget(table_);
  editor_ = new PrimerListEditor(*model_, *table_, *undoStack_, this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(makeToolbar());
  layoutNote_ = new QLabel(this);
  layoutNote_->setObjectName(QStringLiteral("layoutNote"));
  layoutNote_->setForegroundRole(QPalette::PlaceholderText);
  layoutNote_->setContentsMargins(8, 0, 8, 4);
  layoutNote_->setTextFormat(Qt::PlainText);
  layoutNote_->hide();
  layout->addWidget(layoutNote_);
  layout->addWidget(divider);
  sheetChooser_ = new SheetChooser(this);
  layout->addWidget(sheetChooser_);
  layout->addWidget(makeFindBar());
  layout->addWidget(body_, 1);
  connect(sheetChooser_, &SheetChooser::sheetRequested, this,
          [this](const SheetRequest& sheet) { importSheets(workbookFile_, sheet); });

  const SequenceDelegate& delegate = table_->sequenceDelegate();
  connect(&delegate, &SequenceDelegate::sequenceEditingStarted, this, [this](int row) {
    focusedSequenceID_ = primers_.at(static_cast<std::size_t>(model_->listIndex(row))).id;
  });
  connect(&delegate, &SequenceDelegate::sequenceEditingEnded, this, [this] { focusedSequenceID_.reset(); });

  connect(model_, &PrimerTableModel::primerCountChanged, this, &ContentView::showPrimerCount);
  connect(undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
  connect(editor_, &PrimerListEditor::pasteFailed, this, [this](const QString& message) {
    importError_ = message;
    presentPendingAlerts();
  });
  showPrimerCount();
  watchListForChecks();
}

void ContentView::watchListForChecks() {
  checkTimer_ = new QTimer(this);
  checkTimer_->setSingleShot(true);
  checkTimer_->setInterval(kCheckDelayMilliseconds);
  connect(checkTimer_, &QTimer::timeout, this, &ContentView::checkList);
  const auto listChanged = [this] { checkTimer_->start(); };
  connect(model_, &QAbstractItemModel::modelReset, this, listChanged);
  connect(model_, &QAbstractItemModel::rowsInserted, this, listChanged);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, listChanged);
  connect(model_, &QAbstractItemModel::layoutChanged, this, listChanged);
  connect(model_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& first, const QModelIndex& last) {
    // Only names and sequences take part in the check.
    if (first.column() <= PrimerTableModel::SequenceColumn && last.column() >= PrimerTableModel::NameColumn) {
      checkTimer_->start();
    }
  });
}

void ContentView::setPropertyColumnsShown(bool shown) { table_->setPropertyColumnsShown(shown); }

void ContentView::checkList() {
  checkTimer_->stop();
  findings_ = checkPrimerList(primers_);
  model_->setFindings(findings_);
}

ListFindingsDialog* ContentView::listFindingsDialog() const { return findingsDialog_; }

void ContentView::showListFindings() {
  checkList();
  if (findingsDialog_) findingsDialog_->close();
  findingsDialog_ = new ListFindingsDialog(findings_, this);
  findingsDialog_->setAttribute(Qt::WA_DeleteOnClose);
  connect(findingsDialog_, &ListFindingsDialog::rowChosen, table_, &PrimerTable::selectListPosition);
  findingsDialog_->show();
}

ContentView::~ContentView() = default;

QWidget* ContentView::makeToolbar() {
  auto* toolbar = new QWidget(this);
  auto* importButton = new QPushButton(QStringLiteral("Import .xls/.xlsx/.csv/.tsv/.txt/.nsub"), toolbar);
  importButton->setObjectName(QStringLiteral("importButton"));
  exportButton_ = new QPushButton(QStringLiteral("Export"), toolbar);
  exportButton_->setObjectName(QStringLiteral("exportButton"));
  mismatchesBox_ = settingBox(QStringLiteral("Default Allowed Mismatches: "), defaultMismatches_,
                              QStringLiteral("defaultMismatchesBox"), toolbar);
  endMatchesBox_ = settingBox(QStringLiteral("End Matches: "), endMatches_, QStringLiteral("endMatchesBox"), toolbar);
  countLabel_ = new QLabel(toolbar);
  countLabel_->setObjectName(QStringLiteral("primerCount"));
  countLabel_->setForegroundRole(QPalette::PlaceholderText);

  auto* row = new QHBoxLayout(toolbar);
  row->addWidget(importButton);
  row->addWidget(exportButton_);
  row->addStretch();
  row->addWidget(mismatchesBox_);
  row->addWidget(endMatchesBox_);
  row->addWidget(countLabel_);
  row->setAlignment(Qt::AlignVCenter);

  connect(importButton, &QPushButton::clicked, this, &ContentView::presentImporter);
  connect(exportButton_, &QPushButton::clicked, this, &ContentView::exportList);
  connect(mismatchesBox_, &QSpinBox::valueChanged, this, &ContentView::setDefaultMismatches);
  connect(endMatchesBox_, &QSpinBox::valueChanged, this, &ContentView::setEndMatches);
  return toolbar;
}

QWidget* ContentView::makeFindBar() {
  findBar_ = new QWidget(this);
  findField_ = new QLineEdit(findBar_);
  findField_->setObjectName(QStringLiteral("findField"));
  findField_->setPlaceholderText(QStringLiteral("Find name, sequence or comment"));
  findField_->setClearButtonEnabled(true);
  findField_->installEventFilter(this);
  auto* row = new QHBoxLayout(findBar_);
  row->addWidget(findField_);
  findBar_->hide();
  connect(findField_, &QLineEdit::textChanged, this, [this](const QString& text) {
    table_->commitOpenEditor();
    model_->setFilter(text);
  });
  return findBar_;
}

void ContentView::showFind() {
  findBar_->show();
  findField_->setFocus();
  findField_->selectAll();
}

void ContentView::closeFind() {
  findField_->clear();
  findBar_->hide();
  table_->setFocus();
}

bool ContentView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == findField_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    closeFind();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

QString ContentView::titleText() const {
  return importedFileName_ == QStringLiteral("primers") ? QStringLiteral("Tamsel") : importedFileName_;
}

bool ContentView::isModified() const { return !undoStack_->isClean(); }

bool ContentView::maybeDiscardChanges() {
  table_->commitOpenEditor();
  if (!isModified()) return true;
  switch (dialogs_->askToDiscardChanges(this)) {
    case DiscardChoice::exportFirst: return exportList();
    case DiscardChoice::discard: return true;
    case DiscardChoice::cancel: return false;
  }
  return false;
}

void ContentView::presentImporter() {
  isImporterPresented_ = true;
  const std::optional<QString> fileName = dialogs_->chooseImportFile(this);
  isImporterPresented_ = false;
  if (fileName) importFrom(*fileName);
}

void ContentView::importFrom(const QString& fileName) { importSheets(fileName, SheetRequest()); }

void ContentView::importSheets(const QString& fileName, const SheetRequest& sheet) {
  if (busy_) return;
  table_->commitOpenEditor();
  busy_ = true;
  std::optional<ImportOutcome> outcome =
      runWithProgress(this, QStringLiteral("Importing %1\u2026").arg(QFileInfo(fileName).fileName()),
                      [importer = importer_, location = toPath(fileName), sheet] { return importer(location, sheet); });
  busy_ = false;
  if (!outcome) return;  // cancelled: the window stays as it was

  if (outcome->primers) {
    if (!maybeDiscardChanges()) return;
    if (outcome->settings) applySettings(*outcome->settings);
    closeFind();
    model_->replacePrimers(std::move(*outcome->primers));
    showLayoutNote(outcome->layout);
    undoStack_->clear();
    workbookFile_ = fileName;
    workbookSheets_ = std::move(outcome->sheetNames);
    workbookSheet_ = outcome->sheetIndex;
    importedFileName_ = toQString(outcome->fileBaseName);
    emit titleChanged(titleText());
  } else if (outcome->settings) {
    // A primer file's settings apply even when its list is then refused.
    pushSettings(*outcome->settings, QString());
  }
  // A failed import leaves the list, and the chooser on the sheet it came from.
  sheetChooser_->showSheets(workbookSheets_, workbookSheet_);
  if (outcome->error) importError_ = toQString(*outcome->error);
  presentPendingAlerts();
}

bool ContentView::exportList() {
  if (primers_.empty() || busy_) return false;
  table_->commitOpenEditor();
  const std::optional<QString> destination =
      dialogs_->chooseExportFile(this, importedFileName_ + QStringLiteral(".") +
                                           toQString(exportFormats().front()->extension()));
  if (!destination) return false;
  busy_ = true;
  // The work gets its own copy: a cancelled export may still be making its
  // contents while the user edits the list; it then writes nothing.
  auto cancelled = std::make_shared<std::atomic<bool>>(false);
  std::optional<std::optional<std::string>> error =
      runWithProgress(this, QStringLiteral("Exporting %1\u2026").arg(QFileInfo(*destination).fileName()),
                      [location = toPath(*destination), primers = primers_, settings = settings(), cancelled] {
                        return exportPrimers(location, primers, settings.defaultMismatches, settings.endMatches,
                                             cancelled.get());
                      });
  if (!error) cancelled->store(true);
  busy_ = false;
  if (!error) return false;
  if (*error) {
    exportError_ = toQString(**error);
    presentPendingAlerts();
    return false;
  }
  undoStack_->setClean();
  emit statusMessage(QStringLiteral("Exported %1 %2 to %3")
                         .arg(primers_.size())
                         .arg(primers_.size() == 1 ? QStringLiteral("primer") : QStringLiteral("primers"))
                         .arg(QFileInfo(*destination).fileName()));
  return true;
}

void ContentView::setDefaultMismatches(int value) {
  pushSettings({value, endMatches_}, QStringLiteral("Default Allowed Mismatches"));
}

void ContentView::setEndMatches(int value) { pushSettings({defaultMismatches_, value}, QStringLiteral("End Matches")); }

void ContentView::pushSettings(const ListSettings& next, const QString& stepper) {
  if (next.defaultMismatches == defaultMismatches_ && next.endMatches == endMatches_) return;
  undoStack_->push(new SettingsCommand([this](const ListSettings& s) { applySettings(s); }, settings(), next, stepper));
}

void ContentView::applySettings(const ListSettings& settings) {
  defaultMismatches_ = settings.defaultMismatches;
  endMatches_ = settings.endMatches;
  showSetting(*mismatchesBox_, defaultMismatches_);
  showSetting(*endMatchesBox_, endMatches_);
  model_->setEndMatches(endMatches_);
}

void ContentView::showPrimerCount() {
  const bool hasPrimers = !primers_.empty();
  const QString total = QString::number(primers_.size()) + QStringLiteral(" primer(s)");
  countLabel_->setText(model_->isFiltered() ? QStringLiteral("%1 of %2").arg(model_->rowCount()).arg(total) : total);
  countLabel_->setVisible(hasPrimers);
  exportButton_->setEnabled(hasPrimers);
  body_->setCurrentWidget(hasPrimers ? static_cast<QWidget*>(table_) : emptyState_);
  emit exportAvailabilityChanged(hasPrimers);
}

void ContentView::showLayoutNote(const std::optional<TableLayout>& layout) {
  const bool shown = layout && layout->reading != TableLayout::Reading::plain;
  layoutNote_->setText(shown ? toQString(describeLayout(*layout)) : QString());
  layoutNote_->setToolTip(shown ? toQString(describeLayoutInDetail(*layout)) : QString());
  layoutNote_->setVisible(shown);
}

void ContentView::presentPendingAlerts() {
  if (importError_) {
    dialogs_->showAlert(this, QStringLiteral("Import Error"), *importError_);
    importError_.reset();
  }
  if (exportError_) {
    dialogs_->showAlert(this, QStringLiteral("Export Error"), *exportError_);
    exportError_.reset();
  }
}

void ContentView::dragEnterEvent(QDragEnterEvent* event) {
  if (!localFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void ContentView::dropEvent(QDropEvent* event) {
  const QStringList files = localFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  // Import once the drop has finished, so an alert does not hold the source
  // application's drag in a modal loop. Each further file opens a window of its own.
  QMetaObject::invokeMethod(
      this,
      [this, files] {
        for (qsizetype i = 1; i < files.size(); ++i) emit openInNewWindowRequested(files[i]);
        importFrom(files.front());
      },
      Qt::QueuedConnection);
}

}  // namespace tamsel
