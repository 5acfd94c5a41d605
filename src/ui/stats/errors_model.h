#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <array>

#include "core/poker_description.h"
#include "records/error_list.h"

namespace tavrik {

// An errors list as a grid model, one row per listed error: column 0 the dealt hand (its
// cards as text; the window paints them as cards), columns 1..3 the three lines of "Your
// return", "Perfect return" and "Difference" (ReturnLines) joined by "\n". Nothing is
// copied: every cell is read from the list's record when asked for. Refresh() after the
// list was rebuilt or sorted. Every cell's tooltip names the player's and the best hold
// with their patterns in strategy words (RowPatterns).
class TErrorsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int ColumnCount = 4;

  // `titles`: the four column headers. The list must outlive the model.
  TErrorsModel(const TErrorList& list, QStringList titles, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  void Refresh();

  const TErrorList& List() const { return list_; }
  // The record of row `row`.
  TLogRecord Record(int row) const { return list_.Record(static_cast<size_t>(row)); }
  // The wild rank of a game (0 deuces); -1 for a game without a wild rank (jokers are
  // wild by themselves) or an unknown game.
  int WildRank(int gameType) const;
  // The three lines of return cell `column` (1..3) of a record, blank lines kept.
  static QString ReturnCell(const TLogRecord& record, int column);
  // Two lines: "<your label>: KD 2C 2H (two deuces: three of a kind)" and the same for
  // the best hold ("-" for no card kept).
  QString RowPatterns(int row) const;
  // The labels of the two lines of RowPatterns ("Your hold", "Best hold" until set).
  void SetPatternLabels(QString yours, QString best);
  // Row `row` as one line for the clipboard, tab-separated: the dealt cards ("AS KD 2C 2H
  // 9S"), the cards the player held, the cards the best hold keeps ("-" for none), then the
  // three return cells with their non-empty lines joined by blanks.
  QString RowText(int row) const;

 private:
  const TErrorList& list_;
  QStringList titles_;
  QString yourLabel_ = "Your hold", bestLabel_ = "Best hold";
  std::array<int, GameCount> wildRanks_{};
};

}  // namespace tavrik
