#pragma once

// Draws the sequence column: the sequence in a monospaced font, red when it
// is not displayable-valid, with the bases that must match underlined. Edits
// the raw text in a monospaced line edit; the model cleans it on commit.

#include <QFont>
#include <QStyledItemDelegate>

namespace tamsel {

class PrimerTableModel;

class SequenceDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  SequenceDelegate(const PrimerTableModel& model, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

 signals:
  void sequenceEditingStarted(int row) const;
  void sequenceEditingEnded() const;

 private:
  const PrimerTableModel& model_;
  QFont font_;
};

}  // namespace tamsel
