#include "PrimerTableModel.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>
#include <QUndoStack>

#include <algorithm>
#include <numeric>
#include <utility>

#include "PrimerCommands.h"
#include "QtText.h"
#include "model/Alphabet.h"

namespace tamsel {
namespace {

// Enough for several screens of rows; the caches only spare repainting work.
constexpr qsizetype kAnnotationCacheRows = 4096;
// Small enough to leave the "#" column's digits their room.
constexpr int kMarkerSize = 8;

QIcon findingMarker() {
  QPixmap pixmap(kMarkerSize, kMarkerSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xE0, 0x8A, 0x00));  // amber: not the red of an invalid sequence
  painter.drawEllipse(QRectF(0.5, 0.5, kMarkerSize - 1, kMarkerSize - 1));
  return QIcon(pixmap);
}

QString propertiesToolTip() {
  return QStringLiteral("Length in IUPAC letters; GC content in percent; ") + toQString(describeTm({})) +
         QStringLiteral(". Degenerate letters give the range over their expansions.");
}
// More separate runs of rows than this are removed or put back in one reset,
// since each run costs a pass over the list.
constexpr std::size_t kMaxRunsPerSignal = 16;

// The list and its parallel vectors change together, by the same rules.
template <class T>
void insertRun(std::vector<T>& values, int position, std::vector<T> inserted) {
  values.insert(values.begin() + position, std::make_move_iterator(inserted.begin()),
                std::make_move_iterator(inserted.end()));
}

// `positions` ascending; returns the removed values in that order.
template <class T>
std::vector<T> eraseAt(std::vector<T>& values, const std::vector<int>& positions) {
  std::vector<T> kept, erased;
  kept.reserve(values.size() - positions.size());
  erased.reserve(positions.size());
  auto next = positions.begin();
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (next != positions.end() && static_cast<std::size_t>(*next) == i) {
      erased.push_back(std::move(values[i]));
      ++next;
    } else {
      kept.push_back(std::move(values[i]));
    }
  }
  values = std::move(kept);
  return erased;
}

// The inverse of eraseAt: `positions` are where the values stand afterwards.
template <class T>
void restoreAt(std::vector<T>& values, const std::vector<int>& positions, std::vector<T> restored) {
  std::vector<T> merged;
  merged.reserve(values.size() + restored.size());
  std::size_t from = 0, next = 0;
  while (merged.size() < values.size() + restored.size()) {
    if (next < positions.size() && static_cast<std::size_t>(positions[next]) == merged.size()) {
      merged.push_back(std::move(restored[next++]));
    } else {
      merged.push_back(std::move(values[from++]));
    }
  }
  values = std::move(merged);
}

template <class T>
void permute(std::vector<T>& values, const std::vector<int>& order) {
  std::vector<T> permuted;
  permuted.reserve(values.size());
  for (int from : order) permuted.push_back(std::move(values[static_cast<std::size_t>(from)]));
  values = std::move(permuted);
}

// The primer list's counterparts: texts stay where they are, only the table moves.
void insertRun(PrimerList& primers, int position, PrimerList inserted) {
  primers.insert(static_cast<std::size_t>(position), inserted);
}

std::vector<int> positionsFrom(int first, int count) {
  std::vector<int> positions(static_cast<std::size_t>(count));
  std::iota(positions.begin(), positions.end(), first);
  return positions;
}

PrimerList eraseAt(PrimerList& primers, const std::vector<int>& positions) {
  PrimerList erased = primers.pick(positions);
  std::vector<int> kept;
  kept.reserve(primers.size() - positions.size());
  auto next = positions.begin();
  for (int i = 0; i < static_cast<int>(primers.size()); ++i) {
    if (next != positions.end() && *next == i) {
      ++next;
    } else {
      kept.push_back(i);
    }
  }
  primers = primers.pick(kept);
  primers.compactIfWasteful();
  return erased;
}

void restoreAt(PrimerList& primers, const std::vector<int>& positions, PrimerList restored) {
  const int kept = static_cast<int>(primers.size());
  const std::size_t total = primers.size() + restored.size();
  primers.append(restored);
  // Kept primers are 0..kept-1 of the joined list, the restored ones follow.
  std::vector<int> order;
  order.reserve(total);
  int from = 0, next = 0;
  while (order.size() < total) {
    if (next < static_cast<int>(positions.size()) && static_cast<std::size_t>(positions[static_cast<std::size_t>(next)]) == order.size()) {
      order.push_back(kept + next++);
    } else {
      order.push_back(from++);
    }
  }
  primers.permute(order);
}

void permute(PrimerList& primers, const std::vector<int>& order) { primers.permute(order); }

// Consecutive positions as [first, last] pairs, ascending.
std::vector<std::pair<int, int>> runsOf(const std::vector<int>& positions) {
  std::vector<std::pair<int, int>> runs;
  for (int position : positions) {
    if (!runs.empty() && runs.back().second + 1 == position) {
      runs.back().second = position;
    } else {
      runs.emplace_back(position, position);
    }
  }
  return runs;
}

}  // namespace

PrimerTableModel::PrimerTableModel(PrimerList& primers, int endMatches, QObject* parent)
    : QAbstractTableModel(parent), primers_(primers), endMatches_(endMatches),
      numberFont_(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
      annotations_(kAnnotationCacheRows),
      properties_(kAnnotationCacheRows),
      findingMarker_(findingMarker()) {
  for (std::size_t i = 0; i < primers_.size(); ++i) origins_.push_back(nextOrigin_++);
}

int PrimerTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(filtered_ ? shownRows_.size() : primers_.size());
}

int PrimerTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

int PrimerTableModel::listIndex(int row) const {
  return filtered_ ? shownRows_[static_cast<std::size_t>(row)] : row;
}

int PrimerTableModel::rowOfListIndex(int position) const {
  if (!filtered_) return position;
  const auto found = std::lower_bound(shownRows_.begin(), shownRows_.end(), position);
  return found != shownRows_.end() && *found == position ? static_cast<int>(found - shownRows_.begin()) : -1;
}

QVariant PrimerTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const int position = listIndex(index.row());
  const PrimerView primer = primers_[static_cast<std::size_t>(position)];
  switch (index.column()) {
    case NumberColumn:
      if (role == Qt::DisplayRole) return position + 1;
      if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      if (role == Qt::FontRole) return numberFont_;
      if ((role == Qt::DecorationRole || role == Qt::ToolTipRole) && findings_.contains(position)) {
        return role == Qt::DecorationRole ? QVariant(findingMarker_) : QVariant(findings_.value(position));
      }
      break;
    case SelectedColumn:
      if (role == Qt::CheckStateRole) return primer.selected ? Qt::Checked : Qt::Unchecked;
      break;
    case NameColumn:
      if (role == Qt::DisplayRole || role == Qt::EditRole) return toQString(primer.name);
      break;
    case SequenceColumn:
      if (role == Qt::DisplayRole || role == Qt::EditRole) return toQString(primer.sequence);
      if (role == Qt::ToolTipRole) return sequenceToolTip(primer.sequence);
      break;
    case LengthColumn:
    case GCColumn:
    case TmColumn:
      return propertyData(position, index.column(), role);
    case CommentColumn:
      if (role == Qt::DisplayRole || role == Qt::EditRole) return toQString(primer.comment);
      break;
    default:
      break;
  }
  return {};
}

QVariant PrimerTableModel::propertyData(int position, int column, int role) const {
  if (role == Qt::ToolTipRole) return propertiesToolTip();
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const PrimerProperties values = propertiesAt(position);
  switch (column) {
    case LengthColumn: return static_cast<qulonglong>(values.length);
    case GCColumn: return toQString(gcText(values));
    default: return toQString(tmText(values.tm));
  }
}

QVariant PrimerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::ToolTipRole && section >= LengthColumn && section <= TmColumn) {
    return propertiesToolTip();
  }
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case NumberColumn: return QStringLiteral("#");
    case SelectedColumn: return QStringLiteral("Selected");
    case NameColumn: return QStringLiteral("Name");
    case SequenceColumn: return QStringLiteral("Sequence");
    case LengthColumn: return QStringLiteral("Length");
    case GCColumn: return QStringLiteral("GC %");
    case TmColumn: return QStringLiteral("Tm \u00B0C");
    case CommentColumn: return QStringLiteral("Comment");
    default: return {};
  }
}

Qt::ItemFlags PrimerTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  switch (index.column()) {
    case SelectedColumn: return base | Qt::ItemIsUserCheckable;
    case NameColumn:  // the view opens it only on request (rename)
    case SequenceColumn:
    case CommentColumn: return base | Qt::ItemIsEditable;
    default: return base;
  }
}

bool PrimerTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.row() >= rowCount()) return false;
  const int position = listIndex(index.row());
  PrimerEntry primer = primers_[static_cast<std::size_t>(position)].entry();
  QString text;
  if (index.column() == SelectedColumn && role == Qt::CheckStateRole) {
    const bool selected = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
    if (undoStack_) {
      undoStack_->push(new SetSelectedCommand(*this, {position}, selected));
      return true;
    }
    primer.selected = selected;
  } else if (role != Qt::EditRole) {
    return false;
  } else if (index.column() == NameColumn) {
    primer.name = value.toString().toStdString();
    text = QStringLiteral("Rename");
  } else if (index.column() == SequenceColumn) {
    primer.sequence = cleanSequence(value.toString().toStdString());
    text = QStringLiteral("Edit Sequence");
  } else if (index.column() == CommentColumn) {
    primer.comment = value.toString().toStdString();
    text = QStringLiteral("Edit Comment");
  } else {
    return false;
  }
  pushOrApply(position, std::move(primer), text);
  return true;
}

void PrimerTableModel::pushOrApply(int position, PrimerEntry primer, const QString& actionText) {
  // Leaving an editor without a change is no step.
  if (PrimerView(primer).sameFields(primers_[static_cast<std::size_t>(position)])) return;
  if (undoStack_) {
    undoStack_->push(new EditPrimerCommand(*this, position, std::move(primer), actionText));
  } else {
    setPrimer(position, std::move(primer));
  }
}

void PrimerTableModel::replacePrimers(PrimerList primers) {
  beginResetModel();
  primers_ = std::move(primers);
  origins_.resize(primers_.size());
  for (std::size_t i = 0; i < primers_.size(); ++i) origins_[i] = i;
  nextOrigin_ = primers_.size();
  filtered_ = false;
  shown_.clear();
  shownRows_.clear();
  forgetCachedRows();
  endResetModel();
  emit primerCountChanged();
}

void PrimerTableModel::setEndMatches(int endMatches) {
  if (endMatches == endMatches_) return;
  endMatches_ = endMatches;
  annotations_.clear();
  if (rowCount() > 0) emit dataChanged(index(0, SequenceColumn), index(rowCount() - 1, SequenceColumn));
}

void PrimerTableModel::setPrimer(int position, PrimerEntry primer) {
  primers_.set(static_cast<std::size_t>(position), primer);
  forgetCachedRow(position);
  const int row = rowOfListIndex(position);
  if (row >= 0) emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void PrimerTableModel::setSelectedFlags(const std::vector<int>& positions, const std::vector<bool>& values) {
  int first = rowCount(), last = -1;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    primers_.setSelected(static_cast<std::size_t>(positions[i]), values[i]);
    const int row = rowOfListIndex(positions[i]);
    if (row < 0) continue;
    first = std::min(first, row);
    last = std::max(last, row);
  }
  if (last >= 0) emit dataChanged(index(first, SelectedColumn), index(last, SelectedColumn), {Qt::CheckStateRole});
}

void PrimerTableModel::beginStructureChange() {
  forgetCachedRows();
  if (filtered_) beginResetModel();
}

void PrimerTableModel::endStructureChange() {
  if (filtered_) {
    rebuildShownRows();
    endResetModel();
  }
  emit primerCountChanged();
}

void PrimerTableModel::insertPrimers(int position, PrimerList primers, std::vector<std::uint64_t> origins) {
  if (primers.empty()) return;
  const int count = static_cast<int>(primers.size());
  if (origins.empty()) {
    for (int i = 0; i < count; ++i) origins.push_back(nextOrigin_++);
  }
  beginStructureChange();
  if (!filtered_) beginInsertRows({}, position, position + count - 1);
  insertRun(primers_, position, std::move(primers));
  insertRun(origins_, position, std::move(origins));
  if (filtered_) insertRun(shown_, position, std::vector<bool>(static_cast<std::size_t>(count), true));
  if (!filtered_) endInsertRows();
  endStructureChange();
}

TakenPrimers PrimerTableModel::takePrimers(const std::vector<int>& positions) {
  TakenPrimers taken;
  taken.positions = positions;
  const auto runs = runsOf(positions);
  beginStructureChange();
  if (filtered_ || runs.size() > kMaxRunsPerSignal) {
    if (!filtered_) beginResetModel();
    taken.primers = eraseAt(primers_, positions);
    taken.origins = eraseAt(origins_, positions);
    if (filtered_) eraseAt(shown_, positions);
    if (!filtered_) endResetModel();
  } else {
    // The view hears of the runs one by one, the last first.
    std::vector<PrimerList> runPrimers(runs.size());
    std::vector<std::vector<std::uint64_t>> runOrigins(runs.size());
    for (std::size_t r = runs.size(); r-- > 0;) {
      const auto [first, last] = runs[r];
      beginRemoveRows({}, first, last);
      runPrimers[r] = primers_.pick(positionsFrom(first, last - first + 1));
      primers_.erase(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
      runOrigins[r].assign(origins_.begin() + first, origins_.begin() + last + 1);
      origins_.erase(origins_.begin() + first, origins_.begin() + last + 1);
      endRemoveRows();
    }
    for (std::size_t r = 0; r < runs.size(); ++r) {
      insertRun(taken.primers, static_cast<int>(taken.primers.size()), std::move(runPrimers[r]));
      insertRun(taken.origins, static_cast<int>(taken.origins.size()), std::move(runOrigins[r]));
    }
  }
  endStructureChange();
  return taken;
}

void PrimerTableModel::restorePrimers(TakenPrimers taken) {
  if (taken.positions.empty()) return;
  const auto runs = runsOf(taken.positions);
  beginStructureChange();
  if (filtered_ || runs.size() > kMaxRunsPerSignal) {
    if (!filtered_) beginResetModel();
    if (filtered_) restoreAt(shown_, taken.positions, std::vector<bool>(taken.positions.size(), true));
    restoreAt(primers_, taken.positions, std::move(taken.primers));
    restoreAt(origins_, taken.positions, std::move(taken.origins));
    if (!filtered_) endResetModel();
  } else {
    std::size_t from = 0;
    for (const auto& [first, last] : runs) {
      const auto count = static_cast<std::size_t>(last - first + 1);
      beginInsertRows({}, first, last);
      primers_.insert(static_cast<std::size_t>(first),
                      taken.primers.pick(positionsFrom(static_cast<int>(from), static_cast<int>(count))));
      origins_.insert(origins_.begin() + first, taken.origins.begin() + from, taken.origins.begin() + from + count);
      endInsertRows();
      from += count;
    }
  }
  endStructureChange();
}

void PrimerTableModel::reorder(const std::vector<int>& order) {
  beginStructureChange();
  if (!filtered_) emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  if (!filtered_) {
    std::vector<int> newRow(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) newRow[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) after.append(index(newRow[static_cast<std::size_t>(old.row())], old.column()));
    changePersistentIndexList(before, after);
  }
  permute(primers_, order);
  permute(origins_, order);
  if (filtered_) permute(shown_, order);
  if (!filtered_) emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  endStructureChange();
}

void PrimerTableModel::setFilter(const QString& text) {
  const RowFilter filter(text.toStdString());
  beginResetModel();
  filtered_ = !filter.isEmpty();
  shown_.clear();
  if (filtered_) {
    shown_.reserve(primers_.size());
    for (const PrimerView& primer : primers_) shown_.push_back(filter.matches(primer));
  }
  rebuildShownRows();
  endResetModel();
  emit primerCountChanged();
}

void PrimerTableModel::rebuildShownRows() {
  shownRows_.clear();
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    if (shown_[i]) shownRows_.push_back(static_cast<int>(i));
  }
}

void PrimerTableModel::setNumberFont(const QFont& font) { numberFont_ = font; }

SequenceAnnotation PrimerTableModel::sequenceAnnotation(int row) const {
  const int position = listIndex(row);
  if (const SequenceAnnotation* cached = annotations_.object(position)) return *cached;
  SequenceAnnotation annotation =
      annotateSequence(primers_[static_cast<std::size_t>(position)].sequence, endMatches_);
  annotations_.insert(position, new SequenceAnnotation(annotation));
  return annotation;
}

PrimerProperties PrimerTableModel::properties(int row) const { return propertiesAt(listIndex(row)); }

PrimerProperties PrimerTableModel::propertiesAt(int position) const {
  if (const PrimerProperties* cached = properties_.object(position)) return *cached;
  PrimerProperties values = primerProperties(primers_[static_cast<std::size_t>(position)].sequence);
  properties_.insert(position, new PrimerProperties(values));
  return values;
}

void PrimerTableModel::forgetCachedRows() {
  annotations_.clear();
  properties_.clear();
  findings_.clear();  // the positions move
}

void PrimerTableModel::forgetCachedRow(int position) {
  annotations_.remove(position);
  properties_.remove(position);
}

void PrimerTableModel::setFindings(const std::vector<ListFinding>& findings) {
  QHash<int, QString> byPosition;
  for (const ListFinding& finding : findings) {
    QString& messages = byPosition[static_cast<int>(finding.row)];
    if (!messages.isEmpty()) messages += QLatin1Char('\n');
    messages += toQString(finding.message);
  }
  if (byPosition == findings_) return;
  findings_ = std::move(byPosition);
  if (rowCount() > 0) {
    emit dataChanged(index(0, NumberColumn), index(rowCount() - 1, NumberColumn), {Qt::DecorationRole, Qt::ToolTipRole});
  }
}

QString PrimerTableModel::rowFindings(int row) const { return findings_.value(listIndex(row)); }

}  // namespace tamsel
