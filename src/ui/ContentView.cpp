#include "ContentView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "EmptyStateView.h"
#include "PrimerTable.h"
#include "PrimerTableModel.h"
#include "QtDialogProvider.h"
#include "QtText.h"
#include "SequenceDelegate.h"
#include "SheetChooser.h"
#include "app/ExportPrimers.h"
#include "app/ImportFile.h"
#include "formats/FormatRegistry.h"

namespace tamsel {
namespace {

constexpr int kSettingMinimum = 0;
constexpr int kSettingMaximum = 10;
constexpr QSize kMinimumSize(600, 400);

QSpinBox* settingBox(const QString& label, int value, const QString& objectName, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(objectName);
  box->setPrefix(label);
  box->setRange(kSettingMinimum, kSettingMaximum);
  box->setSingleStep(1);
  box->setValue(value);
  return box;
}

std::optional<QString> firstLocalFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty() || !data->urls().front().isLocalFile()) return std::nullopt;
  return data->urls().front().toLocalFile();
}

}  // namespace

ContentView::ContentView(std::unique_ptr<DialogProvider> dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogProvider>()),
      model_(new PrimerTableModel(primers_, endMatches_, this)) {
  setMinimumSize(kMinimumSize);
  setAcceptDrops(true);

  auto* divider = new QFrame(this);
  divider->setFrameShape(QFrame::HLine);
  divider->setFrameShadow(QFrame::Sunken);

  emptyState_ = new EmptyStateView(this);
  table_ = new PrimerTable(*model_, this);
  table_->setObjectName(QStringLiteral("primerTable"));
  body_ = new QStackedWidget(this);
  body_->addWidget(emptyState_);
  body_->addWidget(table_);

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
  layout->addWidget(body_, 1);
  connect(sheetChooser_, &SheetChooser::sheetRequested, this,
          [this](const SheetRequest& sheet) { importSheets(workbookFile_, sheet); });

  const SequenceDelegate& delegate = table_->sequenceDelegate();
  connect(&delegate, &SequenceDelegate::sequenceEditingStarted, this,
          [this](int row) { focusedSequenceID_ = primers_.at(static_cast<std::size_t>(row)).id; });
  connect(&delegate, &SequenceDelegate::sequenceEditingEnded, this, [this] { focusedSequenceID_.reset(); });

  connect(model_, &QAbstractItemModel::modelReset, this, &ContentView::showPrimerCount);
  showPrimerCount();
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

QString ContentView::titleText() const {
  return importedFileName_ == QStringLiteral("primers") ? QStringLiteral("Tamsel") : importedFileName_;
}

void ContentView::presentImporter() {
  isImporterPresented_ = true;
  const std::optional<QString> fileName = dialogs_->chooseImportFile(this);
  isImporterPresented_ = false;
  if (fileName) importFrom(*fileName);
}

void ContentView::importFrom(const QString& fileName) { importSheets(fileName, SheetRequest()); }

void ContentView::importSheets(const QString& fileName, const SheetRequest& sheet) {
  ImportOutcome outcome = importFile(toPath(fileName), sheet);
  // A primer file's settings apply even when its list is then refused.
  if (outcome.settings) {
    setDefaultMismatches(outcome.settings->defaultMismatches);
    setEndMatches(outcome.settings->endMatches);
  }
  if (outcome.primers) {
    model_->replacePrimers(std::move(*outcome.primers));
    showLayoutNote(outcome.layout);
    workbookFile_ = fileName;
    workbookSheets_ = std::move(outcome.sheetNames);
    workbookSheet_ = outcome.sheetIndex;
    importedFileName_ = toQString(outcome.fileBaseName);
    emit titleChanged(titleText());
  }
  // A failed import leaves the list, and the chooser on the sheet it came from.
  sheetChooser_->showSheets(workbookSheets_, workbookSheet_);
  if (outcome.error) importError_ = toQString(*outcome.error);
  presentPendingAlerts();
}

void ContentView::exportList() {
  if (primers_.empty()) return;
  const std::optional<QString> destination =
      dialogs_->chooseExportFile(this, importedFileName_ + QStringLiteral(".") +
                                           toQString(exportFormats().front()->extension()));
  if (!destination) return;
  if (std::optional<std::string> error =
          exportPrimers(toPath(*destination), primers_, defaultMismatches_, endMatches_)) {
    exportError_ = toQString(*error);
  }
  presentPendingAlerts();
}

// A file may carry any byte value; the window keeps what it shows, and what
// an export writes, within the steppers' range.
void ContentView::setDefaultMismatches(int value) {
  defaultMismatches_ = std::clamp(value, kSettingMinimum, kSettingMaximum);
  mismatchesBox_->setValue(defaultMismatches_);
}

void ContentView::setEndMatches(int value) {
  endMatches_ = std::clamp(value, kSettingMinimum, kSettingMaximum);
  endMatchesBox_->setValue(endMatches_);
  model_->setEndMatches(endMatches_);
}

void ContentView::showPrimerCount() {
  const bool hasPrimers = !primers_.empty();
  countLabel_->setText(QString::number(primers_.size()) + QStringLiteral(" primer(s)"));
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
  if (firstLocalFile(event->mimeData())) event->acceptProposedAction();
}

void ContentView::dropEvent(QDropEvent* event) {
  const std::optional<QString> fileName = firstLocalFile(event->mimeData());
  if (!fileName) return;
  event->acceptProposedAction();
  // Import once the drop has finished, so an alert does not hold the source
  // application's drag in a modal loop.
  QMetaObject::invokeMethod(this, [this, name = *fileName] { importFrom(name); }, Qt::QueuedConnection);
}

}  // namespace tamsel
