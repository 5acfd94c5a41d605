#include "ui/stats/errors_window.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>

#include "core/card.h"
#include "records/logger.h"
#include "ui/cards/card_painter.h"
#include "ui/dialogs/all_hands.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/stats/errors_model.h"
#include "ui/stats/options_panel.h"
#include "ui/widgets/error_handler.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

constexpr int HandMargin = 5;  // the hand's cards from the cell's left and top edges
constexpr int HandWidth = 5 * TCardPainter::CardWidth + 4 * TfErrors::CardGap + 2 * HandMargin;
constexpr int RowHeight = TCardPainter::CardHeight + 10;

// The cell background a delegate paints on: the highlight in a selected row.
QColor CellBackground(const QStyleOptionViewItem& option) {
  const bool selected = (option.state & QStyle::State_Selected) != 0;
  return option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
}

// Paints the five dealt cards of a row as small cards: a card of the game's wild rank as
// wild; the player's held cards with the held mark when "Your variant" is checked, the
// best hold's with the second mark when "Perfect variant" is.
class THandDelegate : public QStyledItemDelegate {
 public:
  THandDelegate(const TErrorsModel& model, const TOptionsPanel& options, TCardPainter& painter,
                QObject* parent)
      : QStyledItemDelegate(parent), model_(model), options_(options), painter_(painter) {}

  void paint(QPainter* canvas, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QColor background = CellBackground(option);
    canvas->fillRect(option.rect, background);
    const TLogRecord record = model_.Record(index.row());
    const int wildRank = model_.WildRank(record.GameType);
    const bool yours = options_.ShowYourVariant();
    const bool best = options_.ShowBestVariant();
    canvas->save();
    canvas->setClipRect(option.rect);
    for (int i = 0; i < 5; ++i) {
      const int cardIndex = record.DealtCards[static_cast<size_t>(i)];
      if (cardIndex > MaxCardIndex) continue;  // a damaged record: no such card
      const TCard card = CardFromIndex(cardIndex);
      const int x =
          option.rect.left() + HandMargin + i * (TCardPainter::CardWidth + TfErrors::CardGap);
      const bool held = yours && ((record.PlayerMask >> i) & 1) == 0;
      const bool marked = best && ((record.BestMask >> i) & 1) == 0;
      painter_.DrawSmallCardMarked(*canvas, x, marked, held,
                                   card.Rank >= 0 && card.Rank == wildRank, card.Suit, card.Rank,
                                   background, option.rect.top() + HandMargin);
    }
    canvas->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& /*option*/,
                 const QModelIndex& /*index*/) const override {
    return {HandWidth, RowHeight};
  }

 private:
  const TErrorsModel& model_;
  const TOptionsPanel& options_;
  TCardPainter& painter_;
};

}  // namespace

TfErrors::TfErrors(TLogger& logger, const TPreferences& preferences, QWidget* parent)
    : TLogWindow("Errors", HelpErrors, preferences, parent),
      cardPainter_(std::make_unique<TCardPainter>(TCardPainter::ScaleFor(devicePixelRatioF()))) {
  setObjectName("TfErrors");
  QVBoxLayout* left = NewColumn();
  Options = new TOptionsPanel(OptionGame | OptionDate | OptionModes | OptionGrades | OptionVariants,
                              preferences, this);
  left->addWidget(Options);

  QVBoxLayout* right = NewColumn();
  lErrorsHeader = HeaderLabel(Text(preferences, "Errors", "ErrorsHeader"));
  right->addWidget(lErrorsHeader);

  Grid = new QTableView(this);
  Grid->verticalHeader()->hide();
  Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->verticalHeader()->setDefaultSectionSize(RowHeight);
  QHeaderView* titles = Grid->horizontalHeader();
  titles->setSectionResizeMode(QHeaderView::Fixed);
  titles->setDefaultAlignment(Qt::AlignCenter);
  titles->setHighlightSections(false);
  titles->setSectionsClickable(true);
  titles->setSortIndicatorShown(true);
  titles->setFixedHeight(std::max(TitleRowHeight, titles->fontMetrics().height() + 4));
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Grid->setWordWrap(false);
  const QStringList columnTitles = {Text(preferences, "Errors", "ColumnHand"),
                                    Text(preferences, "Errors", "ColumnYourReturn"),
                                    Text(preferences, "Errors", "ColumnBestReturn"),
                                    Text(preferences, "Errors", "ColumnDifference")};
  model_ = new TErrorsModel(list_, columnTitles, this);
  model_->SetPatternLabels(Text(preferences, "Errors", "YourHold"),
                           Text(preferences, "Errors", "BestHold"));
  Grid->setModel(model_);
  Grid->setItemDelegateForColumn(0, new THandDelegate(*model_, *Options, *cardPainter_, Grid));
  Grid->setItemDelegate(new TInsetTextDelegate(Grid));
  Grid->setMinimumSize(HandWidth + 3 * 130 + 2 * Grid->frameWidth() + 20,
                       titles->height() + 6 * RowHeight + 2 * Grid->frameWidth());
  Grid->installEventFilter(this);
  Grid->viewport()->installEventFilter(this);
  connect(titles, &QHeaderView::sectionClicked, this,
          [this](int column) { Guarded([&] { GridHeaderClick(column); }); });
  connect(Grid, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { Guarded([&] { ShowHand(index.row()); }); });
  actCopy = new QAction(Text(preferences, "Errors", "Copy"), Grid);
  actCopy->setShortcut(QKeySequence::Copy);
  actCopy->setShortcutContext(Qt::WidgetShortcut);
  connect(actCopy, &QAction::triggered, this, [this] { Guarded([this] { CopyRow(); }); });
  Grid->addAction(actCopy);
  Grid->setContextMenuPolicy(Qt::ActionsContextMenu);
  right->addWidget(Grid, 1);
  LayOutColumns(left, LeftColumnWidth, right);

  Options->SetLogger(logger);
  grades_ = Options->Grades();
  connect(Options, &TOptionsPanel::OptionsChanged, this,
          [this] { Guarded([this] { OptionsChanged(); }); });
  follower_.SetLogger(logger);
  Rebuild();
  ShowSortIndicator();
  resize(LeftColumnWidth + HandWidth + 3 * 150 + 60, 560);
}

TfErrors::~TfErrors() {
  Grid->setModel(nullptr);  // the model reads the list, which goes before the children
}

void TfErrors::Rebuild() {
  const TLogFilter* filter = follower_.Follow();
  if (filter == nullptr) return;
  grades_ = Options->Grades();
  list_.Rebuild(*follower_.Logger(), *filter, grades_);
  model_->Refresh();
}

void TfErrors::OptionsChanged() {
  if (Options->Grades() != grades_) {
    Rebuild();
  } else {
    Grid->viewport()->update();
  }
}

void TfErrors::GridHeaderClick(int column) {
  const QModelIndex current = Grid->currentIndex();
  const bool hadCurrent = current.isValid();
  const size_t record = hadCurrent ? list_.RecordIndex(static_cast<size_t>(current.row())) : 0;
  list_.ClickColumn(column + 1);
  model_->Refresh();
  ShowSortIndicator();
  if (!hadCurrent) return;
  for (size_t row = 0; row < list_.Count(); ++row) {
    if (list_.RecordIndex(row) == record) {
      const QModelIndex index = model_->index(static_cast<int>(row), current.column());
      Grid->setCurrentIndex(index);
      Grid->scrollTo(index);
      break;
    }
  }
}

void TfErrors::ShowSortIndicator() {
  const int column = list_.SortColumn();
  Grid->horizontalHeader()->setSortIndicator(column == 0 ? -1 : std::abs(column) - 1,
                                             column > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TfErrors::ShowHand(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  const TLogRecord record = model_->Record(row);
  TDealtHand hand;
  hand.GameType = record.GameType;
  hand.PayIndex = record.PayIndex;
  hand.Bet = record.Bet;
  for (size_t i = 0; i < 5; ++i) hand.Cards[i] = record.DealtCards[i];
  hand.PlayerMask = record.PlayerMask;
  hand.BestMask = record.BestMask;
  ShowAllHands(hand, preferences_, this);
}

void TfErrors::CopyRow() {
  const QModelIndex current = Grid->currentIndex();
  if (!current.isValid()) return;
  QGuiApplication::clipboard()->setText(model_->RowText(current.row()));
}

void TfErrors::SizeColumns() {
  const int available = Grid->viewport()->width();
  const int returnWidth = std::max(0, (available - HandWidth) / 3);
  Grid->setColumnWidth(0, available - 3 * returnWidth);
  for (int column = 1; column < TErrorsModel::ColumnCount; ++column) {
    Grid->setColumnWidth(column, returnWidth);
  }
}

bool TfErrors::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Grid && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // The view would copy the current cell by itself.
    if (key->matches(QKeySequence::Copy)) {
      Guarded([this] { CopyRow(); });
      return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        key->modifiers() == Qt::NoModifier) {
      Guarded([this] { ShowHand(Grid->currentIndex().row()); });
      return true;
    }
  }
  if (watched == Grid->viewport() && event->type() == QEvent::Resize) SizeColumns();
  return QDialog::eventFilter(watched, event);
}

void ShowErrorsWindow(TLogger& logger, const TPreferences& preferences, QWidget* parent) {
  TfErrors window(logger, preferences, parent);
  window.exec();
}

}  // namespace tavrik
