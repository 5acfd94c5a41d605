#include "ui/stats/errors_model.h"

#include <utility>

#include "core/card.h"
#include "core/hold_pattern.h"

namespace tavrik {

namespace {

// A card as two characters; "??" for an index no deck has.
QString CardString(int index) {
  if (index < 0 || index > MaxCardIndex) return "??";
  return QString::fromStdString(CardText(CardFromIndex(index)));
}

// The cards of the positions a mask keeps (bit clear), blank-separated; "-" for none.
QString KeptCards(const TLogRecord& record, int mask) {
  QStringList kept;
  for (size_t i = 0; i < 5; ++i) {
    if (((mask >> i) & 1) == 0) kept << CardString(record.DealtCards[i]);
  }
  return kept.isEmpty() ? QString("-") : kept.join(' ');
}

QString DealtCards(const TLogRecord& record) {
  return KeptCards(record, 0);
}

}  // namespace

TErrorsModel::TErrorsModel(const TErrorList& list, QStringList titles, QObject* parent)
    : QAbstractTableModel(parent), list_(list), titles_(std::move(titles)) {
  for (int game = 0; game < GameCount; ++game) {
    const int rank = CreateDescription(game)->WildRank;
    wildRanks_[static_cast<size_t>(game)] = rank >= 0 ? rank : -1;
  }
}

int TErrorsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.Count());
}

int TErrorsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant TErrorsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) {
    const TLogRecord record = Record(index.row());
    return index.column() == 0 ? DealtCards(record) : ReturnCell(record, index.column());
  }
  if (role == Qt::ToolTipRole) return RowPatterns(index.row());
  if (role == Qt::TextAlignmentRole) {
    return static_cast<int>((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) |
                            Qt::AlignVCenter);
  }
  return {};
}

QVariant TErrorsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= titles_.size()) return {};
  if (role == Qt::DisplayRole) return titles_[section];
  if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignCenter);
  return {};
}

void TErrorsModel::Refresh() {
  beginResetModel();
  endResetModel();
}

int TErrorsModel::WildRank(int gameType) const {
  return gameType >= 0 && gameType < GameCount ? wildRanks_[static_cast<size_t>(gameType)] : -1;
}

QString TErrorsModel::ReturnCell(const TLogRecord& record, int column) {
  // The pair (expected, real) of each return column, in coins.
  double expected = record.PlayerReturn - record.BestReturn;
  auto real = static_cast<double>(int64_t{record.HandWin} - record.PerfectWin);
  if (column == 1) {
    expected = record.PlayerReturn;
    real = record.HandWin;
  } else if (column == 2) {
    expected = record.BestReturn;
    real = record.PerfectWin;
  }
  const TReturnLines lines = ReturnLines(expected, real, record);
  return QString::fromStdString(lines.Percent + "\n" + lines.Expected + "\n" + lines.Real);
}

QString TErrorsModel::RowPatterns(int row) const {
  const TLogRecord record = Record(row);
  const auto line = [&](const QString& label, int mask) {
    const std::string pattern = NameHold(record.GameType, record.DealtCards, mask).Text;
    return label + ": " + KeptCards(record, mask) +
           (pattern.empty() ? QString() : " (" + QString::fromStdString(pattern) + ")");
  };
  return line(yourLabel_, record.PlayerMask) + "\n" + line(bestLabel_, record.BestMask);
}

void TErrorsModel::SetPatternLabels(QString yours, QString best) {
  yourLabel_ = std::move(yours);
  bestLabel_ = std::move(best);
}

QString TErrorsModel::RowText(int row) const {
  const TLogRecord record = Record(row);
  QStringList fields = {DealtCards(record), KeptCards(record, record.PlayerMask),
                        KeptCards(record, record.BestMask)};
  for (int column = 1; column < ColumnCount; ++column) {
    fields << ReturnCell(record, column).split('\n', Qt::SkipEmptyParts).join(' ');
  }
  return fields.join('\t');
}

}  // namespace tavrik
