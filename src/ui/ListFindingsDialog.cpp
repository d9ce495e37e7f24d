#include "ListFindingsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "QtText.h"

namespace tamsel {
namespace {

constexpr QSize kInitialSize(560, 360);
constexpr int kRowRole = Qt::UserRole;

QString summary(std::size_t count) {
  if (count == 0) return QStringLiteral("No findings: the list is clean.");
  return QString::number(count) + (count == 1 ? QStringLiteral(" finding") : QStringLiteral(" findings")) +
         QStringLiteral("; click one to select its row.");
}

}  // namespace

ListFindingsDialog::ListFindingsDialog(const std::vector<ListFinding>& findings, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("Check List"));
  setObjectName(QStringLiteral("listFindingsDialog"));
  resize(kInitialSize);
  list_->setObjectName(QStringLiteral("findingsList"));
  list_->setUniformItemSizes(true);
  for (const ListFinding& finding : findings) {
    auto* item = new QListWidgetItem(QStringLiteral("Row ") + QString::number(finding.row + 1) + QStringLiteral(": ") +
                                         toQString(finding.message),
                                     list_);
    item->setData(kRowRole, static_cast<int>(finding.row));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(summary(findings.size()), this));
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);

  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit rowChosen(item->data(kRowRole).toInt()); });
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit rowChosen(item->data(kRowRole).toInt()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
}

}  // namespace tamsel
