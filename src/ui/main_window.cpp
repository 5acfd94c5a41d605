#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "core/error.h"
#include "core/version.h"
#include "ui/all_hands.h"
#include "ui/back_dialog.h"
#include "ui/card_button.h"
#include "ui/choice_dialog.h"
#include "ui/deck_dialog.h"
#include "ui/error_handler.h"
#include "ui/gradient.h"
#include "ui/gradient_label.h"
#include "ui/help_window.h"
#include "ui/no_errors_dialog.h"
#include "ui/preferences_dialog.h"
#include "ui/text_format.h"
#include "ui/warning_window.h"

namespace tavrik {

// The paytable: six columns, one row per paying category, every cell drawn by the window.
class TPayoutGrid : public QWidget {
 public:
  explicit TPayoutGrid(TfTavrik20Main* owner) : QWidget(owner), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const auto& widths = owner_->ColumnWidths();
    const auto& heights = owner_->RowHeights();
    int y = 0;
    for (size_t row = 0; row < heights.size(); ++row) {
      int x = 0;
      for (size_t column = 0; column < widths.size(); ++column) {
        owner_->PayoutGridDrawCell(painter, static_cast<int>(column), static_cast<int>(row),
                                   QRect(x, y, widths[column], heights[row]));
        x += widths[column];
      }
      y += heights[row];
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    const auto [column, row] = owner_->GridCellAt(event->position().toPoint());
    if (column >= 0) owner_->PayoutGridSelectCell(column, row);
  }
  void resizeEvent(QResizeEvent* /*event*/) override { owner_->BuildPaytableGrid(); }

 private:
  TfTavrik20Main* owner_;
};

namespace {

constexpr int PanelBorder = 3;
constexpr int MiniChartHeight = 60;
constexpr int ButtonHeight = 32;
constexpr int ButtonStep = 46;
const QColor LightBlue(151, 203, 255);
const QColor Teal(0, 128, 128);
const QColor Silver(192, 192, 192);
const QColor Navy(0, 0, 128);

// Busy for the lifetime of the object, whatever way the handler leaves.
class TBusyGuard {
 public:
  explicit TBusyGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TBusyGuard() { flag_ = false; }
  TBusyGuard(const TBusyGuard&) = delete;
  TBusyGuard& operator=(const TBusyGuard&) = delete;

 private:
  bool& flag_;
};

QImage GradientImage(int width, int height, const QColor& top, const QColor& bottom) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  QPainter painter(&image);
  GradientFill(painter, image.rect(), top, 255, 0, bottom);
  return image;
}

// Menu texts of the games, in game order ("&&" shows one ampersand).
constexpr std::array<const char*, 9> GameItemTexts = {
    "Aces && Eights",     "Aces && Faces",   "Bonus Poker", "Deuces Wild",   "Double Bonus Poker",
    "Double Joker Poker", "Jacks or Better", "Joker Poker", "Tens or Better"};

}  // namespace

TfTavrik20Main::TfTavrik20Main(TPreferences& preferences, const std::filesystem::path& dataFolder,
                               QWidget* parent)
    : QMainWindow(parent), preferences_(preferences), texts_(preferences), dataFolder_(dataFolder) {
  setObjectName("TfTavrik20Main");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setMinimumSize(450, 440);
  setMaximumSize(734, 632);
  resize(676, 520);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(676 / 2, 520 / 2));
  }
  CreateControls();
  CreateMenus();

  paintEngine_ = std::make_unique<TPaintEngine>(dataFolder_);
  // The saved deck at once (LoadPlacement finds it loaded), so that start-up does not read
  // the default deck only to replace it.
  const QString savedDeck =
      QString::fromStdString(preferences_.Settings.ReadString(CardsSection, "Deck", ""));
  paintEngine_->SetDeck(savedDeck.isEmpty()
                            ? QString::fromLatin1(DefaultDeckId.data(), DefaultDeckId.size())
                            : savedDeck);
  paintEngine_->SetBack(0);
  scratch_ = QImage(paintEngine_->CardWidth(), paintEngine_->CardHeight(), QImage::Format_RGB32);

  engine_ = std::make_unique<TGameEngine>(preferences_, *this);
  LoadPlacement();
  ApplyLanguage();
  BuildPaytableGrid();
  PaintAllCards();
  RefreshInfo();
  ShowPlayTime();
  // The first idle moment: problems found while starting, and on a first start the deck
  // dialog.
  QTimer::singleShot(0, this, [this] {
    Guarded([this] {
      for (const std::string& problem : std::exchange(pendingProblems_, {})) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(problem));
      }
      FirstStartDeck();
    });
  });
}

TfTavrik20Main::~TfTavrik20Main() {
  try {
    engine_->Collect();
  } catch (const std::exception& error) {
    HandleError(error);
  }
  try {
    SavePlacement();
  } catch (const std::exception& error) {
    HandleError(error);
  }
  engine_.reset();
}

void TfTavrik20Main::CreateControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  lPokerName = new TGradientLabel(central);
  BannerPlaceholder = new QWidget(central);
  PayoutGrid = new TPayoutGrid(this);
  PayoutGrid->setParent(central);
  PayoutGrid->setObjectName("PayoutGrid");
  Panel3 = new QWidget(central);
  lInfoLabel = new TGradientLabel(Panel3);
  CardsPanel = new QWidget(Panel3);
  for (size_t i = 0; i < Cards.size(); ++i) {
    Cards[i] = new QLabel(CardsPanel);
    Cards[i]->setFixedSize(CardImageWidth, CardImageHeight);
    Cards[i]->setProperty("Tag", static_cast<int>(i));
    Cards[i]->installEventFilter(this);
  }

  Panel1 = new QWidget(central);
  InfoLabel = new TGradientLabel(Panel1);
  LabelPanel = new QWidget(Panel1);
  MiniChartImage = new QLabel(LabelPanel);
  MiniChartImage->setFixedSize(miniChart_.Image().size());
  MiniChartImage->setPixmap(QPixmap::fromImage(miniChart_.Image()));
  const auto makeRow = [this](QLabel*& caption, QLabel*& value) {
    caption = new QLabel(LabelPanel);
    value = new QLabel(LabelPanel);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  };
  makeRow(CreditLabel, lCredit);
  makeRow(BalanceLabel, lBalance);
  makeRow(AccuracyLabel, lAccuracy);
  makeRow(HandsLabel, lHands);
  makeRow(TimeLabel, lTime);
  makeRow(ValueLabel, lCoinCost);
  makeRow(BetLabel, lBet);
  makeRow(WinLabel, lWin);
  lCoinCost->setCursor(Qt::PointingHandCursor);
  lCoinCost->installEventFilter(this);

  Panel14 = new QWidget(Panel1);
  btnHint = new TCardButton(Panel14);
  btnDoubleUp = new TCardButton(Panel14);
  btnDeal = new TCardButton(Panel14);
  btnHint->setProperty("Tag", 1);
  btnDoubleUp->setProperty("Tag", 2);
  btnDeal->setProperty("Tag", 3);
  connect(btnHint, &QAbstractButton::clicked, this, [this] { btnHintClick(); });
  connect(btnDoubleUp, &QAbstractButton::clicked, this, [this] { btnDoubleUpClick(); });
  connect(btnDeal, &QAbstractButton::clicked, this, [this] { btnDealClick(); });

  Timer = new QTimer(this);
  Timer->setInterval(1000);
  connect(Timer, &QTimer::timeout, this, [this] { ShowPlayTime(); });

  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] { ShowHelp(HelpContext); });
  setFocusPolicy(Qt::StrongFocus);
}

void TfTavrik20Main::CreateMenus() {
  QMenuBar* bar = menuBar();
  miGame = bar->addMenu(QString());
  auto* games = new QActionGroup(this);
  for (size_t i = 0; i < GameItems.size(); ++i) {
    QAction* item = miGame->addAction(QString::fromLatin1(GameItemTexts[i]));
    item->setCheckable(true);
    item->setData(static_cast<int>(i) + 1);
    games->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { SelectGame(static_cast<int>(i)); });
    GameItems[i] = item;
  }
  // Paytable selection is not offered in this version.
  miSelectVP = miGame->addAction(QString());
  miSelectVP->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  miSelectVP->setVisible(false);
  miSelectVP->setEnabled(false);

  miMode = bar->addMenu(QString());
  auto* modes = new QActionGroup(this);
  for (size_t i = 0; i < ModeItems.size(); ++i) {
    QAction* item = miMode->addAction(QString());
    item->setCheckable(true);
    item->setData(static_cast<int>(i));
    modes->addAction(item);
    connect(item, &QAction::triggered, this,
            [this, i] { SelectMode(static_cast<GameMode>(static_cast<int>(i))); });
    ModeItems[i] = item;
  }
  miMode->addSeparator();
  miShowResultHands = miMode->addAction(QString());
  miShowResultHands->setCheckable(true);
  connect(miShowResultHands, &QAction::triggered, this, [this] { ToggleOption(ShowResultHands); });
  miShowWarnings = miMode->addAction(QString());
  miShowWarnings->setCheckable(true);
  connect(miShowWarnings, &QAction::triggered, this, [this] { ToggleOption(ShowWarnings); });
  connect(miMode, &QMenu::aboutToShow, this, [this] { SyncMenus(); });

  miStatistics = bar->addMenu(QString());
  miAllHands = miStatistics->addAction(QString());
  miAllHands->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  miAllHands->setEnabled(false);
  connect(miAllHands, &QAction::triggered, this, [this] { miAllHandsClick(); });
  miStatistics->addSeparator();
  miResetBalance = miStatistics->addAction(QString());
  connect(miResetBalance, &QAction::triggered, this, [this] { ResetBalance(); });
  connect(miStatistics, &QMenu::aboutToShow, this, [this] { SyncMenus(); });

  miPreferences = bar->addMenu(QString());
  miChangePreferences = miPreferences->addAction(QString());
  miChangePreferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(miChangePreferences, &QAction::triggered, this,
          [this] { Guarded([this] { engine_->SetupPreferences(); }); });
  miSelectDeck = miPreferences->addAction(QString());
  miSelectDeck->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  connect(miSelectDeck, &QAction::triggered, this, [this] { miSelectDeckClick(); });
  miSelectBack = miPreferences->addAction(QString());
  miSelectBack->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(miSelectBack, &QAction::triggered, this, [this] { miSelectBackClick(); });

  miHelp = bar->addMenu(QString());
  miHelpGetStart = miHelp->addAction(QString());
  connect(miHelpGetStart, &QAction::triggered, this, [this] { ShowHelp(1000); });
  miShowHelp = miHelp->addAction(QString());
  connect(miShowHelp, &QAction::triggered, this, [this] { ShowHelp(100); });
}

QString TfTavrik20Main::MessageText(const char* key) const {
  return Text(preferences_, "Main.Messages", key);
}

void TfTavrik20Main::ApplyLanguage() {
  const auto menuText = [this](const char* key) { return Text(preferences_, "Main.Menu", key); };
  miGame->setTitle(menuText("Game"));
  miSelectVP->setText(menuText("SelectVP"));
  miMode->setTitle(menuText("Mode"));
  const std::array<const char*, 4> modeKeys = {"AutoHint", "Training", "RealPlay",
                                               "PlayProblemHands"};
  for (size_t i = 0; i < ModeItems.size(); ++i) ModeItems[i]->setText(menuText(modeKeys[i]));
  miShowResultHands->setText(menuText("ShowResultHands"));
  miShowWarnings->setText(menuText("ShowWarnings"));
  miStatistics->setTitle(menuText("Statistics"));
  miAllHands->setText(menuText("AllHands"));
  miResetBalance->setText(menuText("ResetBalance"));
  miPreferences->setTitle(menuText("Preferences"));
  miChangePreferences->setText(menuText("ChangePreferences"));
  miSelectDeck->setText(menuText("SelectDeck"));
  miSelectBack->setText(menuText("SelectBack"));
  miHelp->setTitle(menuText("Help"));
  miHelpGetStart->setText(menuText("GettingStart"));
  miShowHelp->setText(menuText("ShowHelp"));

  btnHint->setText(Text(preferences_, "Main.Buttons", "Hint"));
  btnDoubleUp->setText(Text(preferences_, "Main.Buttons", "Double"));

  InfoLabel->setText(Text(preferences_, "Main.Labels", "Info"));
  MiniChartImage->setToolTip(Hint(preferences_, "Main.Labels", "Info"));
  const std::array<std::tuple<QLabel*, QLabel*, const char*>, 8> rows = {{
      {CreditLabel, lCredit, "Credits"},
      {BalanceLabel, lBalance, "Balance"},
      {AccuracyLabel, lAccuracy, "Accuracy"},
      {HandsLabel, lHands, "Hands"},
      {TimeLabel, lTime, "Time"},
      {ValueLabel, lCoinCost, "Value"},
      {BetLabel, lBet, "Bet"},
      {WinLabel, lWin, "Win"},
  }};
  for (const auto& [caption, value, key] : rows) {
    caption->setText(Text(preferences_, "Main.Labels", key));
    const QString hint = Hint(preferences_, "Main.Labels", key);
    caption->setToolTip(hint);
    value->setToolTip(hint);
  }

  PaintAllCards();
  ApplyWindowFont(this, preferences_);
  const QString fontName = QString::fromStdString(preferences_.FontName);
  for (TGradientLabel* header : {lPokerName, InfoLabel, lInfoLabel}) {
    StyleHeaderLabel(header, fontName);
  }
  QFont valueFont = font();
  valueFont.setBold(true);
  for (const auto& [caption, value, key] : rows) value->setFont(valueFont);
  setWindowTitle("  " + QString::fromUtf8(ProgramTitle));
  QApplication::setApplicationName(QString::fromUtf8(ProgramTitle));
}

// Placements are kept per screen size: "<section> <width>#<height>".
std::string TfTavrik20Main::PlacementSectionName() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = screen != nullptr ? screen->size() : QSize(0, 0);
  return QString::asprintf("%s %d#%d", PlacementSection, screenSize.width(), screenSize.height())
      .toStdString();
}

void TfTavrik20Main::LoadPlacement() {
  const std::string section = PlacementSectionName();
  const TIniFile& settings = preferences_.Settings;
  const QRect bounds = geometry();
  const int left = settings.ReadInteger(section, "Left", bounds.left());
  const int top = settings.ReadInteger(section, "Top", bounds.top());
  const int height = settings.ReadInteger(section, "Height", bounds.height());
  const int width = settings.ReadInteger(section, "Width", bounds.width());
  setGeometry(left, top, std::clamp(width, minimumWidth(), maximumWidth()),
              std::clamp(height, minimumHeight(), maximumHeight()));

  DeckId = QString::fromStdString(settings.ReadString(CardsSection, "Deck", ""));
  if (!DeckId.isEmpty()) paintEngine_->SetDeck(DeckId);
  paintEngine_->SetBack(std::clamp(settings.ReadInteger(CardsSection, "Back", 0), 0, 14));
  UpdateHintVisibility();
  SyncMenus();
}

void TfTavrik20Main::SavePlacement() {
  const std::string section = PlacementSectionName();
  TIniFile& settings = preferences_.Settings;
  const QRect bounds = geometry();
  settings.WriteInteger(section, "Left", bounds.left());
  settings.WriteInteger(section, "Top", bounds.top());
  settings.WriteInteger(section, "Height", bounds.height());
  settings.WriteInteger(section, "Width", bounds.width());
  settings.WriteString(CardsSection, "Deck", paintEngine_->DeckId().toStdString());
  settings.WriteInteger(CardsSection, "Back", paintEngine_->BackIndex());
}

void TfTavrik20Main::FirstStartDeck() {
  if (!DeckId.isEmpty()) return;
  DeckId = QString::fromLatin1(DefaultDeckId.data(), DefaultDeckId.size());
  miSelectDeckClick();
}

void TfTavrik20Main::SyncMenus() {
  const int game = engine_->GameType();
  if (game >= 0 && game < static_cast<int>(GameItems.size())) {
    GameItems[static_cast<size_t>(game)]->setChecked(true);
  }
  ModeItems[static_cast<size_t>(engine_->Mode)]->setChecked(true);
  miShowResultHands->setChecked((engine_->Options & ShowResultHands) != 0);
  miShowWarnings->setChecked((engine_->Options & ShowWarnings) != 0);
  miResetBalance->setEnabled(engine_->State == GameState::NoRound ||
                             engine_->State == GameState::Finished);
}

void TfTavrik20Main::UpdateHintVisibility() {
  btnHint->setVisible(engine_->Mode != GameMode::RealPlay);
}

// --- Layout --------------------------------------------------------------------------

void TfTavrik20Main::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutWindow();
}

void TfTavrik20Main::LayoutWindow() {
  const QWidget* central = centralWidget();
  const int width = central->width();
  const int height = central->height();
  const int leftWidth = std::max(0, width - RightColumnWidth);
  const int panel3Top = std::max(HeaderHeight + BannerHeight, height - BottomBlockHeight);

  lPokerName->setGeometry(PanelBorder, PanelBorder, leftWidth - 2 * PanelBorder, HeaderHeight);
  const int bannerTop = PanelBorder + HeaderHeight;
  BannerPlaceholder->setGeometry(PanelBorder, bannerTop, leftWidth - 2 * PanelBorder, BannerHeight);
  const int gridTop = bannerTop + BannerHeight;
  PayoutGrid->setGeometry(PanelBorder, gridTop, leftWidth - 2 * PanelBorder,
                          std::max(0, panel3Top - gridTop));
  const int panel3Width = std::clamp(leftWidth, 300, 600);
  Panel3->setGeometry((leftWidth - panel3Width) / 2, panel3Top, panel3Width, BottomBlockHeight);
  lInfoLabel->setGeometry(PanelBorder, PanelBorder, panel3Width - 2 * PanelBorder, HeaderHeight);
  CardsPanel->setGeometry(PanelBorder, PanelBorder + HeaderHeight, panel3Width - 2 * PanelBorder,
                          BottomBlockHeight - HeaderHeight - 2 * PanelBorder);

  Panel1->setGeometry(leftWidth, 0, RightColumnWidth, height);
  InfoLabel->setGeometry(PanelBorder, PanelBorder, RightColumnWidth - 2 * PanelBorder,
                         HeaderHeight);
  const int labelTop = PanelBorder + HeaderHeight;
  LabelPanel->setGeometry(PanelBorder, labelTop, RightColumnWidth - 2 * PanelBorder,
                          std::max(0, panel3Top - labelTop - PanelBorder));
  Panel14->setGeometry(PanelBorder, panel3Top, 136, BottomBlockHeight);
  LayoutCards();
  LayoutInfoRows();
}

void TfTavrik20Main::LayoutCards() {
  const int border = 0;
  const int inner = CardsPanel->width() - 2 * border;
  const int top = std::max(0, (CardsPanel->height() - CardImageHeight) / 2);
  for (size_t i = 0; i < Cards.size(); ++i) {
    const double step = (inner - CardImageWidth) / 4.0 * static_cast<double>(i);
    Cards[i]->move(border + static_cast<int>(std::lround(step)), top);
  }
  // The buttons start two pixels below the level of the card tops.
  const int cardTop = CardsPanel->mapTo(centralWidget(), QPoint(0, top)).y();
  const int buttonTop = cardTop + 2 - Panel14->mapTo(centralWidget(), QPoint(0, 0)).y();
  const int buttonWidth = Panel14->width() - 20;
  btnHint->setGeometry(10, buttonTop, buttonWidth, ButtonHeight);
  btnDoubleUp->setGeometry(10, buttonTop + ButtonStep, buttonWidth, ButtonHeight);
  btnDeal->setGeometry(10, buttonTop + 2 * ButtonStep, buttonWidth, ButtonHeight);
}

void TfTavrik20Main::LayoutInfoRows() {
  MiniChartImage->move((LabelPanel->width() - MiniChartImage->width()) / 2, 0);
  const int rowHeight = std::clamp((LabelPanel->height() - MiniChartHeight - 5) / 8, 14, 24);
  const std::array<std::pair<QLabel*, QLabel*>, 8> rows = {{{CreditLabel, lCredit},
                                                            {BalanceLabel, lBalance},
                                                            {AccuracyLabel, lAccuracy},
                                                            {HandsLabel, lHands},
                                                            {TimeLabel, lTime},
                                                            {ValueLabel, lCoinCost},
                                                            {BetLabel, lBet},
                                                            {WinLabel, lWin}}};
  int y = MiniChartHeight + 5;
  const int width = LabelPanel->width();
  for (const auto& [caption, value] : rows) {
    caption->setGeometry(4, y, width / 2, rowHeight);
    value->setGeometry(width / 2 - 20, y, width / 2 + 16, rowHeight);
    value->raise();
    y += rowHeight;
  }
}

void TfTavrik20Main::BuildPaytableGrid() {
  if (!engine_) return;
  lPokerName->setText(QString::fromStdString(engine_->GameTitle()));
  const int rows = engine_->CategoryCount();
  const int width = PayoutGrid->width();
  const int height = PayoutGrid->height();
  const int firstShare = static_cast<int>(std::lround(width * 0.4));
  const int betWidth = static_cast<int>(std::lround((width - firstShare) / 5.0));
  columnWidths_.assign(6, betWidth);
  columnWidths_[0] = width - 5 * betWidth;
  rowHeights_.assign(static_cast<size_t>(std::max(0, rows)), 0);
  int given = 0;
  int tallest = 1;
  for (int i = 0; i < rows; ++i) {
    const int bottom = static_cast<int>(std::lround(static_cast<double>(i + 1) * height / rows));
    rowHeights_[static_cast<size_t>(i)] = bottom - given;
    tallest = std::max(tallest, bottom - given);
    given = bottom;
  }
  // In a small window the text shrinks, the same for every cell, until the rows and the
  // longest name fit.
  gridFont_ = PayoutGrid->font();
  const int lowest =
      rowHeights_.empty() ? tallest : *std::min_element(rowHeights_.begin(), rowHeights_.end());
  for (int size = QFontInfo(gridFont_).pixelSize(); size > 7; --size) {
    QFont candidate = gridFont_;
    candidate.setPixelSize(size);
    QFont candidateBold = candidate;
    candidateBold.setBold(true);
    const int textHeight = QFontMetrics(candidate).height();
    int textWidth = 0;
    for (int row = 0; row < rows; ++row) {
      const QString name = "   " + QString::fromStdString(engine_->CategoryName(row)).toUpper();
      textWidth = std::max(textWidth, QFontMetrics(candidateBold).horizontalAdvance(name));
    }
    gridFont_ = candidate;
    if (textHeight <= lowest - 2 && textWidth <= columnWidths_[0] - 4) break;
  }
  betBackground_ = GradientImage(betWidth, tallest, Lighten(LightBlue, 20), LightBlue);
  winBackground_ = GradientImage(columnWidths_[0], tallest, Lighten(Teal, 40), Lighten(Teal, 20));
  plainBackground_ = GradientImage(columnWidths_[0], tallest, Qt::white, Lighten(Silver, 40));
  PayoutGrid->update();
}

TfTavrik20Main::TCellLook TfTavrik20Main::CellLook(int column, int row) const {
  TCellLook look;
  if (column == 0) {
    look.Text = "   " + QString::fromStdString(engine_->CategoryName(row)).toUpper();
  } else {
    look.Text = QString::number(engine_->GetPayout(row, column));
  }
  if (row == engine_->HandCategory) {
    look.Background = 2;
    look.Bold = true;
    look.TextColour = column == 0 || column == engine_->Bet ? QColor(Qt::white) : Navy;
  } else if (column == engine_->Bet) {
    look.Background = 1;
    look.TextColour = Navy;
  } else {
    look.TextColour = PayoutGrid->palette().color(QPalette::WindowText);
  }
  return look;
}

void TfTavrik20Main::PayoutGridDrawCell(QPainter& painter, int column, int row,
                                        const QRect& cell) const {
  const TCellLook look = CellLook(column, row);
  // Neighbouring cells share their edge.
  const QRect area = cell.adjusted(column > 0 ? -1 : 0, row > 0 ? -1 : 0, 0, 0);
  painter.fillRect(area, Qt::black);
  const QImage& background = look.Background == 2
                                 ? winBackground_
                                 : (look.Background == 1 ? betBackground_ : plainBackground_);
  const QRect inner = area.adjusted(1, 1, -1, -1);
  painter.drawImage(inner.topLeft(), background, QRect(0, 0, inner.width(), inner.height()));
  QFont cellFont = gridFont_;
  if (look.Bold) cellFont.setBold(true);
  painter.setFont(cellFont);
  painter.setPen(look.TextColour);
  const int alignment =
      (column == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter | Qt::TextSingleLine;
  painter.drawText(inner, alignment, look.Text);
}

std::pair<int, int> TfTavrik20Main::GridCellAt(QPoint point) const {
  int column = -1;
  int x = 0;
  for (size_t i = 0; i < columnWidths_.size(); ++i) {
    if (point.x() >= x && point.x() < x + columnWidths_[i]) column = static_cast<int>(i);
    x += columnWidths_[i];
  }
  int row = -1;
  int y = 0;
  for (size_t i = 0; i < rowHeights_.size(); ++i) {
    if (point.y() >= y && point.y() < y + rowHeights_[i]) row = static_cast<int>(i);
    y += rowHeights_[i];
  }
  if (column < 0 || row < 0) return {-1, -1};
  return {column, row};
}

void TfTavrik20Main::PayoutGridSelectCell(int column, int /*row*/) {
  ChangeBet(column);
}

// --- Cards ---------------------------------------------------------------------------

void TfTavrik20Main::PaintCard(int position) {
  const int card = engine_->GetCard(position);
  const bool faceDown = card == NoCard || (engine_->State == GameState::DoubleUp && position > 0);
  {
    QPainter painter(&scratch_);
    const QRect rect(0, 0, scratch_.width(), scratch_.height());
    if (faceDown) {
      paintEngine_->DrawBack(painter, rect);
    } else {
      const TCard face = CardFromIndex(card);
      paintEngine_->DrawCard(painter, rect, !engine_->IsReplaced(position),
                             engine_->IsWild(face.Rank), face.Suit, face.Rank);
    }
  }
  Cards[static_cast<size_t>(position)]->setPixmap(QPixmap::fromImage(scratch_));
}

void TfTavrik20Main::ShowBack(int position) {
  {
    QPainter painter(&scratch_);
    paintEngine_->DrawBack(painter, QRect(0, 0, scratch_.width(), scratch_.height()));
  }
  Cards[static_cast<size_t>(position)]->setPixmap(QPixmap::fromImage(scratch_));
}

void TfTavrik20Main::PaintAllCards() {
  if (!engine_ || !paintEngine_) return;
  for (int position = 0; position < 5; ++position) PaintCard(position);
}

void TfTavrik20Main::TurnDown(bool all) {
  for (int position = 0; position < 5; ++position) {
    if (all || engine_->State == GameState::Finished || engine_->IsReplaced(position)) {
      ShowBack(position);
      DealDelay(preferences_.DealSpeed());
    }
  }
}

// --- Play ----------------------------------------------------------------------------

void TfTavrik20Main::SetStatus(const QString& text) {
  lInfoLabel->setText(text);
  lInfoLabel->repaint();
}

void TfTavrik20Main::btnDealClick() {
  if (busy_) return;
  const TBusyGuard busy(busy_);
  Guarded([this] {
    TGameEngine& engine = *engine_;
    if (engine.State == GameState::Finished) {
      SetStatus(MessageText("Dealing"));
    } else if (engine.State == GameState::Dealt) {
      SetStatus(MessageText("Drawing"));
      if (engine.CheckWarning()) {
        SyncMenus();
        PaintAllCards();  // "Apply" shows the best hold before the draw
      }
      // Without result hands the round ends unseen and the next deal follows.
      if ((engine.Options & ShowResultHands) == 0) engine.Draw();
    }
    TurnDown(false);
    if (engine.State == GameState::Dealt) {
      engine.Draw();
    } else {
      engine.Deal();
      if (engine.State == GameState::Dealt) {
        miniChart_.AddPoint(engine.PerfectCredits, engine.Credits);
        MiniChartImage->setPixmap(QPixmap::fromImage(miniChart_.Image()));
      }
    }
    for (int position = 0; position < 5; ++position) {
      if (engine.State == GameState::Dealt || engine.IsReplaced(position)) {
        PaintCard(position);
        if (position < 4) DealDelay(preferences_.DealSpeed());
      }
    }
  });
  RefreshInfo();
  if (!Timer->isActive() && engine_->StartTime != 0) Timer->start();
  miAllHands->setEnabled(engine_->State == GameState::Dealt);
  if (closePending_) QTimer::singleShot(0, this, &QWidget::close);
}

void TfTavrik20Main::btnHintClick() {
  if (busy_) return;
  const TBusyGuard busy(busy_);
  Guarded([this] {
    engine_->Hint();
    PaintAllCards();
  });
}

void TfTavrik20Main::btnDoubleUpClick() {
  if (busy_) return;
  const TBusyGuard busy(busy_);
  Guarded([this] {
    TurnDown(true);
    engine_->StartDoubleUp();
    PaintCard(0);
    SetStatus(MessageText("DoubleInfo"));
  });
  RefreshInfo();
  miAllHands->setEnabled(false);
  if (closePending_) QTimer::singleShot(0, this, &QWidget::close);
}

void TfTavrik20Main::ToggleCard(int position) {
  Guarded([this, position] {
    TGameEngine& engine = *engine_;
    if (engine.State == GameState::Dealt) {
      engine.ToggleHold(position);
      PaintCard(position);
    } else if (engine.State == GameState::DoubleUp && position > 0) {
      engine.PickDoubleCard(position);
      PaintCard(position);
      DealDelay(preferences_.DealSpeed());
      for (int other = 1; other < 5; ++other) {
        if (other == position) continue;
        PaintCard(other);
        DealDelay(preferences_.DealSpeed());
      }
      RefreshInfo();
    }
  });
}

bool TfTavrik20Main::ChangeBet(int bet) {
  if (bet < 1 || bet > MaxCoins) return false;
  if (engine_->State != GameState::NoRound && engine_->State != GameState::Finished) return false;
  bool taken = false;
  Guarded([&] {
    engine_->SetBet(bet);
    taken = true;
  });
  PayoutGrid->update();
  RefreshInfo();
  return taken;
}

void TfTavrik20Main::SelectGame(int gameType) {
  Guarded([this, gameType] { engine_->SelectPoker(gameType, 0); });
  BuildPaytableGrid();
  PaintAllCards();
  SyncMenus();
  RefreshInfo();
  miAllHands->setEnabled(engine_->State == GameState::Dealt);
}

void TfTavrik20Main::SelectMode(GameMode mode) {
  Guarded([this, mode] { engine_->SetMode(mode); });
  SyncMenus();
  UpdateHintVisibility();
}

void TfTavrik20Main::ToggleOption(GameOption option) {
  engine_->Options = static_cast<uint8_t>(engine_->Options ^ option);
  SyncMenus();
  UpdateHintVisibility();
}

void TfTavrik20Main::lCoinCostClick() {
  Guarded([this] {
    QStringList items;
    for (const double value : CoinValues) items.append(QString::asprintf("$%5.2f", value));
    const int choice = ChooseFromList(Text(preferences_, "Denomination", "WindowName"), items,
                                      engine_->CoinValueIndex, preferences_, this);
    if (choice >= 0 && choice < static_cast<int>(CoinValues.size())) {
      engine_->CoinValueIndex = choice;
    }
  });
  RefreshInfo();
}

void TfTavrik20Main::miAllHandsClick() {
  if (engine_->State != GameState::Dealt) return;
  Guarded([this] { ShowAllHands(*engine_, preferences_, this); });
}

void TfTavrik20Main::miSelectDeckClick() {
  Guarded([this] {
    const QString id = SelectDeck(paintEngine_->DeckId(), texts_, this, dataFolder_);
    if (!id.isEmpty()) {
      paintEngine_->SetDeck(id);
      DeckId = paintEngine_->DeckId();
      PaintAllCards();
    }
  });
}

void TfTavrik20Main::miSelectBackClick() {
  Guarded([this] {
    const int back = SelectBack(paintEngine_->BackIndex(), texts_, this, dataFolder_);
    if (back != -1) {
      paintEngine_->SetBack(back);
      PaintAllCards();
    }
  });
}

void TfTavrik20Main::ResetBalance() {
  if (engine_->State != GameState::NoRound && engine_->State != GameState::Finished) return;
  engine_->ResetValues();
  RefreshInfo();
  ShowPlayTime();
}

void TfTavrik20Main::RefreshInfo() {
  const TGameEngine& engine = *engine_;
  lCredit->setText(QString::number(engine.Credits));
  lWin->setText(QString::number(engine.Win));
  lBet->setText(QString::number(engine.Bet));
  lHands->setText(QString::number(engine.HandsPlayed));
  const size_t coin = static_cast<size_t>(
      std::clamp(engine.CoinValueIndex, 0, static_cast<int>(CoinValues.size()) - 1));
  lCoinCost->setText("$" + FormatTrimmed("%5.2f", CoinValues[coin]));
  lAccuracy->setText(FormatTrimmed("%10.2f%%", engine.Accuracy()));
  lBalance->setText(engine.Balance >= 0 ? "$" + FormatTrimmed("%5.2f", engine.Balance)
                                        : "-$" + FormatTrimmed("%5.2f", -engine.Balance));
  PayoutGrid->update();
  btnHint->setEnabled(engine.State == GameState::Dealt);
  btnDoubleUp->setEnabled(engine.State == GameState::Finished && engine.Win > 0);
  btnDeal->setEnabled(engine.State != GameState::DoubleUp);
  btnDeal->setText(
      Text(preferences_, "Main.Buttons", engine.State == GameState::Dealt ? "Draw" : "Deal"));
  switch (engine.State) {
    case GameState::NoRound:
      SetStatus(MessageText("Start"));
      break;
    case GameState::Dealt:
      SetStatus(MessageText("Hold"));
      break;
    case GameState::Finished:
      SetStatus(engine.Win > 0 ? FormatText(MessageText("Win"), {QString::number(engine.Win)})
                               : MessageText("Finish"));
      break;
    case GameState::DoubleUp:
      break;
  }
}

void TfTavrik20Main::ShowPlayTime() {
  lTime->setText(QString::fromStdString(FormatPlayTime(engine_->PlayTime())));
}

// --- Events --------------------------------------------------------------------------

void TfTavrik20Main::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) {
    event->accept();
    return;
  }
  const int key = event->key();
  switch (key) {
    case Qt::Key_Space:
      if (btnDeal->isEnabled()) btnDealClick();
      break;
    case Qt::Key_H:
      if (btnHint->isEnabled() && btnHint->isVisible()) btnHintClick();
      break;
    case Qt::Key_D:
      if (btnDoubleUp->isEnabled() && btnDoubleUp->isVisible()) btnDoubleUpClick();
      break;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
    case Qt::Key_5:
      ToggleCard(key - Qt::Key_1);
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // the plus key of the main keyboard, unshifted
      ChangeBet(engine_->Bet + 1);
      break;
    case Qt::Key_Minus:
      ChangeBet(engine_->Bet - 1);
      break;
    case Qt::Key_Escape:
      for (int position = 0; position < 5; ++position) {
        if (!engine_->IsReplaced(position)) ToggleCard(position);
      }
      QMainWindow::keyReleaseEvent(event);
      return;
    default:
      QMainWindow::keyReleaseEvent(event);
      return;
  }
  event->accept();
}

bool TfTavrik20Main::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == lCoinCost) {
      lCoinCostClick();
      return true;
    }
    for (size_t i = 0; i < Cards.size(); ++i) {
      if (watched == Cards[i]) {
        ToggleCard(static_cast<int>(i));
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TfTavrik20Main::event(QEvent* event) {
  if (event->type() == PreferencesChangedEvent) {
    ApplyLanguage();
    RefreshInfo();
    return true;
  }
  return QMainWindow::event(event);
}

void TfTavrik20Main::closeEvent(QCloseEvent* event) {
  // A deal in progress finishes first (its pause runs a nested event loop); the window
  // closes right after it.
  if (busy_) {
    closePending_ = true;
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void TfTavrik20Main::ShowHelp(int context) {
  Guarded([this, context] { ShowHelpTopic(context, preferences_, this); });
}

// --- Windows the engine opens --------------------------------------------------------

TWarningOutcome TfTavrik20Main::ShowWarning(const TGameEngine& engine) {
  return RunWarning(engine, preferences_, this);
}

int TfTavrik20Main::AskOtherMode() {
  return AskNoErrorsMode(preferences_, this);
}

void TfTavrik20Main::ShowStatistics(TLogger& /*logger*/, TPreferences& /*preferences*/) {
  throw TError("The statistics window is not part of this version");
}

void TfTavrik20Main::ShowErrors(TLogger& /*logger*/, TPreferences& /*preferences*/) {
  throw TError("The errors window is not part of this version");
}

void TfTavrik20Main::ShowCharts(TLogger& /*logger*/, TPreferences& /*preferences*/) {
  throw TError("The charts window is not part of this version");
}

std::optional<TRecordPredicate> TfTavrik20Main::ChooseRecordsToClear(TLogger& /*logger*/,
                                                                     TPreferences& /*prefs*/) {
  throw TError("The clear-by-filter window is not part of this version");
}

void TfTavrik20Main::SetupPreferences(TPreferences& preferences) {
  RunPreferencesDialog(preferences, this);
}

void TfTavrik20Main::ReportProblem(const std::string& message) {
  if (isVisible()) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(message));
  } else {
    pendingProblems_.push_back(message);
  }
}

}  // namespace tavrik
