#include "SheetChooser.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "QtText.h"

namespace tamsel {

SheetChooser::SheetChooser(QWidget* parent) : QWidget(parent), box_(new QComboBox(this)) {
  box_->setObjectName(QStringLiteral("sheetChooser"));
  box_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  auto* label = new QLabel(QStringLiteral("Sheet:"), this);
  label->setBuddy(box_);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(8, 4, 8, 4);
  row->addWidget(label);
  row->addWidget(box_);
  row->addStretch();
  connect(box_, &QComboBox::activated, this, [this](int index) {
    const bool all = index == box_->count() - 1;
    emit sheetRequested(all ? SheetRequest::all()
                            : SheetRequest::one(SheetChoice::byNumber(static_cast<std::size_t>(index) + 1)));
  });
  hide();
}

void SheetChooser::showSheets(const std::vector<std::string>& names, std::optional<std::size_t> current) {
  const QSignalBlocker blocker(box_);
  box_->clear();
  for (const std::string& name : names) box_->addItem(toQString(name));
  box_->addItem(QStringLiteral("All sheets"));
  box_->setCurrentIndex(current && *current < names.size() ? static_cast<int>(*current) : box_->count() - 1);
  setVisible(names.size() > 1);
}

}  // namespace tamsel
