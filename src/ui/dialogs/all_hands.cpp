#include "ui/dialogs/all_hands.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

#include "core/card.h"
#include "core/error.h"
#include "core/payout_storage.h"
#include "core/wild_engine.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"

namespace tavrik {

namespace {

constexpr int PictureRole = Qt::UserRole + 1;

// Draws a row's picture into the hands column.
class TPictureDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->fillRect(option.rect,
                      option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    const QImage picture = index.data(PictureRole).value<QImage>();
    const int height = static_cast<int>(picture.deviceIndependentSize().height());
    painter->save();
    painter->setClipRect(option.rect);
    painter->drawImage(option.rect.left() + 2,
                       option.rect.top() + (option.rect.height() - height) / 2, picture);
    painter->restore();
  }
};

int Sign(long double value) {
  return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

int CompareHands(const THandStat& a, const THandStat& b) {
  if (b.ReplacedCount != a.ReplacedCount) return b.ReplacedCount - a.ReplacedCount;
  return b.HoldText < a.HoldText ? -1 : 1;
}

// The five cards one pixel apart, each as its rank and suit sign (a card drawn whole
// would not fit the 18-pixel rows, and its suit would be cut off), for a screen with
// `ratio` device pixels per point.
QImage HandPicture(const std::array<int, 5>& cards, const TCardBunch& deck,
                   const QColor& background, const QFont& font, qreal ratio) {
  static constexpr std::array<const char*, 13> RankTexts = {"2", "3",  "4", "5", "6", "7", "8",
                                                            "9", "10", "J", "Q", "K", "A"};
  static constexpr std::array<char16_t, 4> SuitSigns = {u'\u2660', u'\u2663', u'\u2666', u'\u2665'};
  QFont cardFont = font;
  cardFont.setPixelSize(13);
  cardFont.setBold(true);
  const QFontMetrics metrics(cardFont);
  const int width = metrics.horizontalAdvance(QString("10") + QChar(SuitSigns[0])) + 10;
  const int height = 16;
  QImage picture((QSizeF(5 * width + 4, height) * ratio).toSize(), QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.fill(background);
  QPainter canvas(&picture);
  canvas.setFont(cardFont);
  for (int i = 0; i < 5; ++i) {
    const TCard card = CardFromIndex(cards[static_cast<size_t>(i)]);
    const int x = (width + 1) * i;
    canvas.fillRect(x, 0, width, height, Qt::white);
    QString text = "Jok";
    QColor colour = Qt::black;
    if (card.Rank >= 0) {
      text = QString::fromLatin1(RankTexts[static_cast<size_t>(card.Rank)]) +
             QChar(SuitSigns[static_cast<size_t>(card.Suit)]);
      if (card.Suit >= 2) colour = QColor(0xC0, 0x10, 0x18);
    }
    // A wild card is marked by its colour.
    if (deck.IsWild(card.Rank)) colour = QColor(0x00, 0x80, 0x00);
    canvas.setPen(colour);
    canvas.drawText(QRect(x, 0, width, height), Qt::AlignCenter, text);
  }
  return picture;
}

}  // namespace

std::unique_ptr<TPokerEngine> AnalyseHand(int game, const TPaytable& table, int bet,
                                          const std::array<int, 5>& cards, TPayout& payout) {
  std::unique_ptr<TPokerEngine> engine = CreateEngineForGame(game);
  engine->SetPayout(&payout);  // gives the payout the game's categories, which SetPay fills
  payout.SetPay(table, bet);
  engine->NewDeal();
  const int deckSize = engine->Deck.Count;
  std::array<bool, MaxCardIndex + 1> used{};
  for (const int index : cards) {
    RequireInRange(index, 0, deckSize - 1, "Card index");
    Require(!used[static_cast<size_t>(index)], "A card was dealt twice");
    used[static_cast<size_t>(index)] = true;
    const TCard card = CardFromIndex(index);
    engine->Deck.Remove(card.Rank, card.Suit);
    engine->Hand.AddCard(card.Rank, card.Suit);
  }
  engine->GetTheBest();
  return engine;
}

QImage FadePicture(const QImage& picture) {
  QImage faded = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < faded.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(faded.scanLine(y));
    for (int x = 0; x < faded.width(); ++x) {
      const QRgb pixel = line[x];
      if ((pixel & 0xffffff) == 0xffffff) continue;
      const int g = (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
      const int v = std::min(255, g / 2 + 160);
      line[x] = qRgb(v, v, v);
    }
  }
  return faded;
}

std::vector<THandStat> BuildHandStats(const TPokerEngine& engine, int bet, const QImage& picture) {
  const QImage faded = FadePicture(picture);
  const qreal ratio = picture.devicePixelRatio();
  const int cardWidth = (static_cast<int>(picture.deviceIndependentSize().width()) - 4) / 5;
  const int last = engine.LastCategory;
  std::vector<THandStat> rows(HoldMaskCount);
  for (int mask = 0; mask < HoldMaskCount; ++mask) {
    THandStat& row = rows[static_cast<size_t>(mask)];
    row.Mask = mask;
    row.Picture = picture.copy();
    QPainter canvas(&row.Picture);
    for (int i = 0; i < 5; ++i) {
      const bool replaced = ((mask >> i) & 1) != 0;
      row.HoldText += replaced ? '1' : '0';
      if (!replaced) continue;
      ++row.ReplacedCount;
      const int x = (cardWidth + 1) * i;
      canvas.drawImage(QPointF(x, 0), faded,
                       QRectF(x * ratio, 0, cardWidth * ratio, faded.height()));
    }
    row.ExpectedReturn = engine.DrawReturn(mask);
    row.Bet = bet;
    long double sum = 0;
    for (int c = 0; c <= last; ++c) {
      const auto index = static_cast<size_t>(c);
      row.CategoryProbability[index] = engine.GetCategoryProbability(c, mask);
      sum += row.CategoryProbability[index];
      const int pay = engine.Payout != nullptr ? engine.Payout->Pay[index] : 0;
      row.CategoryReturn[index] = pay * row.CategoryProbability[index];
      row.HitCount[index] = engine.GetCategoryCount(c, mask);
    }
    const auto nothing = static_cast<size_t>(last + 1);
    row.CategoryProbability[nothing] = 1 - sum;
    row.CategoryReturn[nothing] = 0;
    row.HitCount[nothing] = engine.GetCategoryCount(last + 1, mask);
  }
  return rows;
}

int CompareHandStats(const THandStat& a, const THandStat& b, int sortColumn, int displayMode) {
  const int column = std::abs(sortColumn) - 1;
  int result = 0;
  if (column == 1) {
    result = Sign(b.ExpectedReturn - a.ExpectedReturn);
  } else if (column >= 2) {
    const auto c = static_cast<size_t>(column - 2);
    switch (displayMode) {
      case 0:
        result = b.HitCount[c] > a.HitCount[c] ? 1 : (b.HitCount[c] < a.HitCount[c] ? -1 : 0);
        break;
      case 1:
        result = Sign(b.CategoryProbability[c] - a.CategoryProbability[c]);
        break;
      default:
        result = Sign(b.CategoryReturn[c] - a.CategoryReturn[c]);
        break;
    }
  }
  if (result == 0) result = CompareHands(a, b);
  return sortColumn < 0 ? -result : result;
}

QString HandStatText(const THandStat& row, int column, int displayMode) {
  if (column == 1) {
    return row.ExpectedReturn != 0
               ? FormatTrimmed("%10.5f", static_cast<double>(100 * row.ExpectedReturn / row.Bet))
               : QString("- ");
  }
  const auto c = static_cast<size_t>(column - 2);
  switch (displayMode) {
    case 0:
      return row.HitCount[c] != 0 ? QString::number(row.HitCount[c]) : QString("- ");
    case 1:
      return row.CategoryProbability[c] >= 1e-8L
                 ? FormatTrimmed("%10.4f", static_cast<double>(100 * row.CategoryProbability[c]))
                 : QString("- ");
    default:
      return row.CategoryReturn[c] >= 1e-8L
                 ? FormatTrimmed("%10.4f",
                                 static_cast<double>(100 * row.CategoryReturn[c] / row.Bet))
                 : QString("- ");
  }
}

TAllHandsTable::TAllHandsTable(const TPreferences& preferences, QWidget* parent)
    : QWidget(parent), preferences_(preferences) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Grid = new QTableWidget(this);
  Grid->verticalHeader()->hide();
  Grid->verticalHeader()->setDefaultSectionSize(RowHeight);
  Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setItemDelegateForColumn(0, new TPictureDelegate(Grid));
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QHeaderView* header = Grid->horizontalHeader();
  header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setSectionResizeMode(QHeaderView::Fixed);
  connect(header, &QHeaderView::sectionClicked, this,
          [this](int column) { GridFixedCellClick(column); });
  layout->addWidget(Grid, 1);

  Bottom = new QHBoxLayout();
  rbHands = new QRadioButton(Text(preferences, "AllHands", "Hands"), this);
  rbProbability = new QRadioButton(Text(preferences, "AllHands", "Probability"), this);
  rbReturn = new QRadioButton(Text(preferences, "AllHands", "Return"), this);
  rbHands->setChecked(true);
  int tag = 0;
  for (QRadioButton* button : {rbHands, rbProbability, rbReturn}) {
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 30);
    Bottom->addWidget(button);
    connect(button, &QRadioButton::clicked, this, [this, tag] { SetDisplayMode(tag); });
    ++tag;
  }
  Bottom->addStretch(1);
  layout->addLayout(Bottom);
}

void TAllHandsTable::SetTitles(const TPokerEngine& engine) {
  ColumnTitles.clear();
  ColumnTitles << Text(preferences_, "AllHands", "Hands")
               << Text(preferences_, "AllHands", "Return");
  for (int c = 0; c <= engine.LastCategory; ++c) {
    ColumnTitles << QString::fromStdString(engine.CategoryNames[static_cast<size_t>(c)]);
  }
  ColumnTitles << Text(preferences_, "AllHands", "Nothing");
  Grid->setColumnCount(static_cast<int>(ColumnTitles.size()));
  Grid->setHorizontalHeaderLabels(ColumnTitles);
  if (std::abs(SortColumn) > ColumnTitles.size()) SortColumn = 2;
}

void TAllHandsTable::Fill(const TPokerEngine& engine, int bet, const std::array<int, 5>& cards,
                          int selectMask, int bestMask) {
  SetTitles(engine);
  BestMask = bestMask;
  const QImage picture =
      HandPicture(cards, engine.Deck, palette().color(QPalette::Base), font(), devicePixelRatioF());
  pictureWidth_ = static_cast<int>(picture.deviceIndependentSize().width());
  Rows = BuildHandStats(engine, bet, picture);
  Grid->setRowCount(HoldMaskCount);
  for (int row = 0; row < HoldMaskCount; ++row) {
    for (int column = 0; column < Grid->columnCount(); ++column) {
      auto* item = new QTableWidgetItem();
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Grid->setItem(row, column, item);
    }
  }
  SelectMask(selectMask);
  Sort();
  SizeGrid();
}

void TAllHandsTable::Clear(const TPokerEngine& engine) {
  SetTitles(engine);
  Rows.clear();
  Grid->setRowCount(0);
  SizeGrid();
}

void TAllHandsTable::FillGrid() {
  for (int row = 0; row < static_cast<int>(Rows.size()); ++row) {
    const THandStat& stat = Rows[static_cast<size_t>(row)];
    Grid->item(row, 0)->setData(PictureRole, stat.Picture);
    Grid->item(row, 0)->setToolTip(stat.HoldText);
    for (int column = 1; column < Grid->columnCount(); ++column) {
      QTableWidgetItem* item = Grid->item(row, column);
      item->setText(HandStatText(stat, column, DisplayMode) + "  ");
      QFont font = Grid->font();
      font.setBold(stat.Mask == BestMask);
      item->setFont(font);
    }
  }
  Grid->horizontalHeader()->setSortIndicator(
      std::abs(SortColumn) - 1, SortColumn > 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
  Grid->viewport()->update();
}

void TAllHandsTable::SizeGrid() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const int margin = area.width() <= 800 ? 5 : 10;
  const QFontMetrics metrics(Grid->font());
  const QFontMetrics headerMetrics(Grid->horizontalHeader()->font());
  if (pictureWidth_ == 0) {
    pictureWidth_ =
        HandPicture({0, 1, 2, 3, 4}, TCardBunch(), palette().color(QPalette::Base), font(), 1)
            .width();
  }
  int total = 0;
  int titleHeight = headerMetrics.height();
  for (int column = 0; column < Grid->columnCount(); ++column) {
    int width = 0;
    if (column == 0) {
      width = pictureWidth_ + 4;
    } else {
      for (const THandStat& row : Rows) {
        for (int mode = 0; mode < 3; ++mode) {
          width = std::max(width, metrics.horizontalAdvance(HandStatText(row, column, mode)));
        }
      }
    }
    // The title wraps at blanks: its longest word counts.
    for (const QString& word : ColumnTitles[column].split(' ', Qt::SkipEmptyParts)) {
      // Room for the sort triangle beside the title.
      width = std::max(width, headerMetrics.horizontalAdvance(word) + 22);
    }
    width += margin + 6;
    Grid->setColumnWidth(column, width);
    total += width;
    // The header wraps beside the room kept for the triangle.
    const QRect title =
        headerMetrics.boundingRect(QRect(0, 0, width - margin - 22, 1000),
                                   Qt::AlignCenter | Qt::TextWordWrap, ColumnTitles[column]);
    titleHeight = std::max(titleHeight, title.height() + 8);
  }
  Grid->horizontalHeader()->setFixedHeight(titleHeight);
  const int frame = 2 * Grid->frameWidth();
  const int gridWidth =
      std::min(total + frame + Grid->verticalScrollBar()->sizeHint().width(), area.width() - 40);
  const int gridHeight =
      std::min(titleHeight + HoldMaskCount * RowHeight + frame, area.height() - 120);
  Grid->setMinimumSize(gridWidth, gridHeight);
}

void TAllHandsTable::GridFixedCellClick(int column) {
  SortColumn = SortColumn == column + 1 ? -(column + 1) : column + 1;
  Sort();
}

void TAllHandsTable::SetDisplayMode(int mode) {
  DisplayMode = mode;
  FillGrid();
}

int TAllHandsTable::SelectedMask() const {
  const int row = Grid->currentRow();
  if (row < 0 || row >= static_cast<int>(Rows.size())) return -1;
  return Rows[static_cast<size_t>(row)].Mask;
}

void TAllHandsTable::SelectMask(int mask) {
  for (size_t row = 0; row < Rows.size(); ++row) {
    if (Rows[row].Mask == mask) Grid->selectRow(static_cast<int>(row));
  }
}

void TAllHandsTable::Sort() {
  const int selected = SelectedMask();
  std::sort(Rows.begin(), Rows.end(), [this](const THandStat& a, const THandStat& b) {
    return CompareHandStats(a, b, SortColumn, DisplayMode) < 0;
  });
  FillGrid();
  SelectMask(selected);
}

TfmAllHands::TfmAllHands(const TGameEngine& game, const TPreferences& preferences, QWidget* parent)
    : QDialog(parent) {
  BuildControls(preferences);
  std::array<int, 5> cards{};
  for (int i = 0; i < 5; ++i) cards[static_cast<size_t>(i)] = game.GetCard(i);
  Table->Fill(game.Engine(), game.Bet(), cards, game.HoldMask(), -1);
  adjustSize();
}

TfmAllHands::TfmAllHands(const TDealtHand& hand, const TPreferences& preferences, QWidget* parent)
    : QDialog(parent) {
  BuildControls(preferences);
  const TPayoutStorage catalogue;
  RequireInRange(hand.PayIndex, 0, catalogue.PaytableCount(hand.GameType) - 1, "Paytable");
  TPayout payout;
  const std::unique_ptr<TPokerEngine> engine =
      AnalyseHand(hand.GameType, catalogue.GetPaytable(hand.GameType, hand.PayIndex), hand.Bet,
                  hand.Cards, payout);
  Table->Fill(*engine, hand.Bet, hand.Cards, hand.PlayerMask, hand.BestMask);
  adjustSize();
}

void TfmAllHands::BuildControls(const TPreferences& preferences) {
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromStdString(preferences.SetWindowCaption("AllHands")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  Table = new TAllHandsTable(preferences, this);
  layout->addWidget(Table, 1);
  btnOK = new QPushButton(Text(preferences, "Main.Buttons", "OK"), this);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  Table->Bottom->addWidget(btnOK);
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this, &preferences] { ShowHelpTopic(HelpAllHands, preferences, this); });
}

void ShowAllHands(const TGameEngine& game, const TPreferences& preferences, QWidget* parent) {
  TfmAllHands window(game, preferences, parent);
  window.exec();
}

void ShowAllHands(const TDealtHand& hand, const TPreferences& preferences, QWidget* parent) {
  TfmAllHands window(hand, preferences, parent);
  window.exec();
}

}  // namespace tavrik
