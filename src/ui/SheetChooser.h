#pragma once

// The "Sheet:" chooser above the table: shown after importing a workbook
// with more than one worksheet, it lists them in order and "All sheets"
// last; choosing one asks for the workbook to be read again from it.

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "app/ImportFile.h"

class QComboBox;

namespace tamsel {

class SheetChooser : public QWidget {
  Q_OBJECT

 public:
  explicit SheetChooser(QWidget* parent = nullptr);

  // Lists `names` with `current` selected ("All sheets" when there is none);
  // hidden for fewer than two worksheets.
  void showSheets(const std::vector<std::string>& names, std::optional<std::size_t> current);
  QComboBox& comboBox() const { return *box_; }

 signals:
  // The user picked an entry: read that sheet, or every sheet with sequences.
  void sheetRequested(const tamsel::SheetRequest& request);

 private:
  QComboBox* box_;
};

}  // namespace tamsel
