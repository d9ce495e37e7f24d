#include "PrimerTableModel.h"

#include <QFontDatabase>

#include "QtText.h"
#include "model/Alphabet.h"

namespace tamsel {
namespace {

// Enough for several screens of rows; the cache only spares repainting work.
constexpr qsizetype kAnnotationCacheRows = 4096;

}  // namespace

PrimerTableModel::PrimerTableModel(PrimerList& primers, int endMatches, QObject* parent)
    : QAbstractTableModel(parent), primers_(primers), endMatches_(endMatches),
      numberFont_(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
      annotations_(kAnnotationCacheRows) {}

int PrimerTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(primers_.size());
}

int PrimerTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant PrimerTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const PrimerEntry& primer = primers_[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
    case NumberColumn:
      if (role == Qt::DisplayRole) return index.row() + 1;
      if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      if (role == Qt::FontRole) return numberFont_;
      break;
    case SelectedColumn:
      if (role == Qt::CheckStateRole) return primer.selected ? Qt::Checked : Qt::Unchecked;
      break;
    case NameColumn:
      if (role == Qt::DisplayRole) return toQString(primer.name);
      break;
    case SequenceColumn:
      if (role == Qt::DisplayRole || role == Qt::EditRole) return toQString(primer.sequence);
      break;
    case CommentColumn:
      if (role == Qt::DisplayRole || role == Qt::EditRole) return toQString(primer.comment);
      break;
    default:
      break;
  }
  return {};
}

QVariant PrimerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case NumberColumn: return QStringLiteral("#");
    case SelectedColumn: return QStringLiteral("Selected");
    case NameColumn: return QStringLiteral("Name");
    case SequenceColumn: return QStringLiteral("Sequence");
    case CommentColumn: return QStringLiteral("Comment");
    default: return {};
  }
}

Qt::ItemFlags PrimerTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  switch (index.column()) {
    case SelectedColumn: return base | Qt::ItemIsUserCheckable;
    case SequenceColumn:
    case CommentColumn: return base | Qt::ItemIsEditable;
    default: return base;
  }
}

bool PrimerTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.row() >= rowCount()) return false;
  PrimerEntry& primer = primers_[static_cast<std::size_t>(index.row())];
  if (index.column() == SelectedColumn && role == Qt::CheckStateRole) {
    primer.selected = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
  } else if (index.column() == SequenceColumn && role == Qt::EditRole) {
    primer.sequence = cleanSequence(value.toString().toStdString());
    annotations_.remove(index.row());
  } else if (index.column() == CommentColumn && role == Qt::EditRole) {
    primer.comment = value.toString().toStdString();
  } else {
    return false;
  }
  emit dataChanged(index, index, {role, Qt::DisplayRole});
  return true;
}

void PrimerTableModel::replacePrimers(PrimerList primers) {
  beginResetModel();
  primers_ = std::move(primers);
  annotations_.clear();
  endResetModel();
}

void PrimerTableModel::setEndMatches(int endMatches) {
  if (endMatches == endMatches_) return;
  endMatches_ = endMatches;
  annotations_.clear();
  if (!primers_.empty()) emit dataChanged(index(0, SequenceColumn), index(rowCount() - 1, SequenceColumn));
}

SequenceAnnotation PrimerTableModel::sequenceAnnotation(int row) const {
  if (const SequenceAnnotation* cached = annotations_.object(row)) return *cached;
  SequenceAnnotation annotation = annotateSequence(primers_[static_cast<std::size_t>(row)].sequence, endMatches_);
  annotations_.insert(row, new SequenceAnnotation(annotation));
  return annotation;
}

}  // namespace tamsel
