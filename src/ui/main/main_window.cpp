#include "ui/main/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

#include "core/error.h"
#include "core/game_list.h"
#include "ui/dialogs/all_hands.h"
#include "ui/dialogs/back_dialog.h"
#include "ui/dialogs/choice_dialog.h"
#include "ui/dialogs/deck_dialog.h"
#include "ui/dialogs/no_errors_dialog.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui/dialogs/warning_window.h"
#include "ui/widgets/card_button.h"
#include "ui/widgets/error_handler.h"
#include "ui/widgets/gradient_label.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

namespace {

constexpr int PanelBorder = 3;
constexpr int HeaderHeight = 22;
constexpr int MinimumCardRowWidth = 300;
constexpr int MaximumCardRowWidth = 600;

}  // namespace

TfTavrik20Main::TfTavrik20Main(TPreferences& preferences, const std::filesystem::path& dataFolder,
                               QWidget* parent)
    : QMainWindow(parent), preferences_(preferences), texts_(preferences), dataFolder_(dataFolder) {
  setObjectName("TfTavrik20Main");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setMinimumSize(MinimumWindowSize);
  setMaximumSize(MaximumWindowSize);
  resize(InitialWindowSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(InitialWindowSize.width() / 2, InitialWindowSize.height() / 2));
  }
  paintEngine_ = std::make_unique<TPaintEngine>(dataFolder_);
  // The saved deck at once (LoadPlacement finds it loaded), so that start-up does not read
  // the default deck only to replace it.
  const QString savedDeck =
      QString::fromStdString(preferences_.Settings.ReadString(CardsSection, "Deck", ""));
  paintEngine_->SetDeck(savedDeck.isEmpty()
                            ? QString::fromLatin1(DefaultDeckId.data(), DefaultDeckId.size())
                            : savedDeck);
  paintEngine_->SetBack(0);
  engine_ = std::make_unique<TGameEngine>(preferences_, *this);

  CreateControls();
  CreateMenus();
  LoadPlacement();
  ApplyLanguage();
  RebuildGrid();
  CardRow->PaintAllCards();
  RefreshInfo();
  Info->ShowPlayTime();
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
    CardRow->Finish();
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
  PayoutGrid = new TPaytableGrid(*engine_, central);
  connect(PayoutGrid, &TPaytableGrid::ColumnClicked, this,
          [this](int column) { ChangeBet(column); });
  CardRow = new TCardRow(*engine_, *paintEngine_, central);
  connect(CardRow, &TCardRow::CardClicked, this, [this](int position) { ToggleCard(position); });
  Info = new TInfoColumn(*engine_, preferences_, central);
  connect(Info, &TInfoColumn::CoinValueClicked, this, [this] { lCoinCostClick(); });
  connect(Info->btnHint, &QAbstractButton::clicked, this, [this] { btnHintClick(); });
  connect(Info->btnDoubleUp, &QAbstractButton::clicked, this, [this] { btnDoubleUpClick(); });
  connect(Info->btnDeal, &QAbstractButton::clicked, this, [this] { btnDealClick(); });
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] { ShowHelp(HelpMainWindow); });
  setFocusPolicy(Qt::StrongFocus);
}

void TfTavrik20Main::CreateMenus() {
  QMenuBar* bar = menuBar();
  miGame = bar->addMenu(QString());
  auto* games = new QActionGroup(this);
  for (const TGameName& game : GameNames()) {
    // "&&" shows one ampersand.
    QAction* item = miGame->addAction(QString::fromStdString(game.Name).replace("&", "&&"));
    item->setCheckable(true);
    games->addAction(item);
    const int index = game.GameIndex;
    connect(item, &QAction::triggered, this, [this, index] { SelectGame(index); });
    GameItems.at(static_cast<size_t>(index)) = item;
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
  connect(miHelpGetStart, &QAction::triggered, this, [this] { ShowHelp(HelpGettingStarted); });
  miShowHelp = miHelp->addAction(QString());
  connect(miShowHelp, &QAction::triggered, this, [this] { ShowHelp(HelpMainWindow); });
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

  CardRow->PaintAllCards();
  ApplyWindowFont(this, preferences_);
  const QString fontName = QString::fromStdString(preferences_.FontName);
  StyleHeaderLabel(lPokerName, fontName);
  StyleHeaderLabel(CardRow->lInfoLabel, fontName);
  Info->ApplyLanguage();  // after the window font: the values are its bold form
  setWindowTitle("  Tavrik 2.0");
  QApplication::setApplicationName("Tavrik 2.0");
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
  ModeItems[static_cast<size_t>(engine_->Mode())]->setChecked(true);
  miShowResultHands->setChecked(engine_->HasOption(ShowResultHands));
  miShowWarnings->setChecked(engine_->HasOption(ShowWarnings));
  miResetBalance->setEnabled(engine_->CanResetCounters());
}

// --- Layout --------------------------------------------------------------------------

void TfTavrik20Main::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutWindow();
}

// The left part holds the title, the banner, the grid and the card row at the bottom; the
// info column takes a fixed width at the right, its buttons level with the cards.
void TfTavrik20Main::LayoutWindow() {
  const QWidget* central = centralWidget();
  const int width = central->width();
  const int height = central->height();
  const int leftWidth = std::max(0, width - TInfoColumn::Width);
  const int cardRowTop = std::max(HeaderHeight + BannerHeight, height - TCardRow::BlockHeight);
  const int innerWidth = leftWidth - 2 * PanelBorder;

  lPokerName->setGeometry(PanelBorder, PanelBorder, innerWidth, HeaderHeight);
  const int bannerTop = PanelBorder + HeaderHeight;
  BannerPlaceholder->setGeometry(PanelBorder, bannerTop, innerWidth, BannerHeight);
  const int gridTop = bannerTop + BannerHeight;
  PayoutGrid->setGeometry(PanelBorder, gridTop, innerWidth, std::max(0, cardRowTop - gridTop));
  const int cardRowWidth = std::clamp(leftWidth, MinimumCardRowWidth, MaximumCardRowWidth);
  CardRow->setGeometry((leftWidth - cardRowWidth) / 2, cardRowTop, cardRowWidth,
                       TCardRow::BlockHeight);
  Info->setGeometry(leftWidth, 0, TInfoColumn::Width, height);
  Info->Arrange(cardRowTop, CardRow->y() + CardRow->CardTop());
}

void TfTavrik20Main::RebuildGrid() {
  lPokerName->setText(QString::fromStdString(engine_->GameTitle()));
  PayoutGrid->Rebuild();
}

// --- Play ----------------------------------------------------------------------------

void TfTavrik20Main::TurnCards(int positions, const std::function<void()>& done) {
  std::vector<TCardRow::TStep> steps;
  for (int position = 0; position < 5; ++position) {
    if (((positions >> position) & 1) != 0) {
      steps.push_back({[this, position] { CardRow->ShowBack(position); }, true});
    } else {
      CardRow->PaintCard(position);  // a kept card shows its hold at once
    }
  }
  for (int position = 0; position < 5; ++position) {
    if (((positions >> position) & 1) != 0) {
      steps.push_back({[this, position] { CardRow->PaintCard(position); }, position < 4});
    }
  }
  steps.push_back({done, false});
  CardRow->Play(std::move(steps), preferences_.DealSpeed());
}

void TfTavrik20Main::btnDealClick() {
  if (IsDealing() || !engine_->CanDrawOrDeal()) return;
  const auto finish = [this] {
    RefreshInfo();
    miAllHands->setEnabled(engine_->State() == GameState::Dealt);
  };
  bool started = false;
  Guarded([&] {
    TGameEngine& engine = *engine_;
    if (engine.State() == GameState::Finished) CardRow->SetStatus(MessageText("Dealing"));
    if (engine.State() == GameState::Dealt) CardRow->SetStatus(MessageText("Drawing"));
    engine.DrawOrDeal();
    SyncMenus();  // the warning may have been turned off
    if (engine.State() == GameState::Dealt) {
      Info->AddChartPoint(engine.PerfectCredits(), engine.Credits());
    }
    started = true;
    TurnCards(engine.NewCards(), finish);
  });
  if (!started) finish();
}

void TfTavrik20Main::btnHintClick() {
  if (IsDealing() || !engine_->CanHint()) return;
  Guarded([this] {
    engine_->Hint();
    CardRow->PaintAllCards();
  });
}

void TfTavrik20Main::btnDoubleUpClick() {
  if (IsDealing() || !engine_->CanDoubleUp()) return;
  Guarded([this] {
    engine_->StartDoubleUp();
    miAllHands->setEnabled(false);
    std::vector<TCardRow::TStep> steps;
    for (int position = 0; position < 5; ++position) {
      steps.push_back({[this, position] { CardRow->ShowBack(position); }, true});
    }
    steps.push_back({[this] {
                       CardRow->PaintCard(0);
                       CardRow->SetStatus(MessageText("DoubleInfo"));
                       RefreshInfo();
                     },
                     false});
    CardRow->Play(std::move(steps), preferences_.DealSpeed());
  });
}

void TfTavrik20Main::ToggleCard(int position) {
  if (IsDealing()) return;
  Guarded([this, position] {
    TGameEngine& engine = *engine_;
    if (engine.CanHold()) {
      engine.ToggleHold(position);
      CardRow->PaintCard(position);
    } else if (engine.CanPickDoubleCard(position)) {
      engine.PickDoubleCard(position);
      // The picked card first, then the others.
      std::vector<TCardRow::TStep> steps = {
          {[this, position] { CardRow->PaintCard(position); }, true}};
      for (int other = 1; other < 5; ++other) {
        if (other != position)
          steps.push_back({[this, other] { CardRow->PaintCard(other); }, true});
      }
      steps.push_back({[this] { RefreshInfo(); }, false});
      CardRow->Play(std::move(steps), preferences_.DealSpeed());
    }
  });
}

bool TfTavrik20Main::ChangeBet(int bet) {
  if (IsDealing() || !engine_->CanChangeBet(bet)) return false;
  bool taken = false;
  Guarded([&] {
    engine_->SetBet(bet);
    taken = true;
  });
  RefreshInfo();
  return taken;
}

void TfTavrik20Main::SelectGame(int gameType) {
  CardRow->Finish();
  Guarded([this, gameType] { engine_->SelectPoker(gameType, 0); });
  RebuildGrid();
  CardRow->PaintAllCards();
  SyncMenus();
  RefreshInfo();
  miAllHands->setEnabled(engine_->State() == GameState::Dealt);
}

void TfTavrik20Main::SelectMode(GameMode mode) {
  Guarded([this, mode] { engine_->SetMode(mode); });
  SyncMenus();
  Info->Refresh();
}

void TfTavrik20Main::ToggleOption(GameOption option) {
  engine_->SetOption(option, !engine_->HasOption(option));
  SyncMenus();
  Info->Refresh();
}

void TfTavrik20Main::lCoinCostClick() {
  Guarded([this] {
    QStringList items;
    for (const double value : CoinValues) items.append(QString::asprintf("$%5.2f", value));
    const int choice = ChooseFromList(Text(preferences_, "Denomination", "WindowName"), items,
                                      engine_->CoinValueIndex(), preferences_, this);
    if (choice >= 0) engine_->SetCoinValue(choice);
  });
  RefreshInfo();
}

void TfTavrik20Main::miAllHandsClick() {
  if (engine_->State() != GameState::Dealt) return;
  Guarded([this] { ShowAllHands(*engine_, preferences_, this); });
}

void TfTavrik20Main::miSelectDeckClick() {
  Guarded([this] {
    const QString id = SelectDeck(paintEngine_->DeckId(), texts_, this, dataFolder_);
    if (!id.isEmpty()) {
      paintEngine_->SetDeck(id);
      DeckId = paintEngine_->DeckId();
      CardRow->PaintAllCards();
    }
  });
}

void TfTavrik20Main::miSelectBackClick() {
  Guarded([this] {
    const int back = SelectBack(paintEngine_->BackIndex(), texts_, this, dataFolder_);
    if (back != -1) {
      paintEngine_->SetBack(back);
      CardRow->PaintAllCards();
    }
  });
}

void TfTavrik20Main::ResetBalance() {
  if (!engine_->CanResetCounters()) return;
  Guarded([this] { engine_->ResetValues(); });
  RefreshInfo();
  Info->ShowPlayTime();
}

void TfTavrik20Main::RefreshInfo() {
  const TGameEngine& engine = *engine_;
  Info->Refresh();
  PayoutGrid->update();
  switch (engine.State()) {
    case GameState::NoRound:
      CardRow->SetStatus(MessageText("Start"));
      break;
    case GameState::Dealt:
      CardRow->SetStatus(MessageText("Hold"));
      break;
    case GameState::Finished:
      CardRow->SetStatus(engine.Win() > 0
                             ? FormatText(MessageText("Win"), {QString::number(engine.Win())})
                             : MessageText("Finish"));
      break;
    case GameState::DoubleUp:
      break;
  }
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
      btnDealClick();
      break;
    case Qt::Key_H:
      btnHintClick();
      break;
    case Qt::Key_D:
      btnDoubleUpClick();
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
      ChangeBet(engine_->Bet() + 1);
      break;
    case Qt::Key_Minus:
      ChangeBet(engine_->Bet() - 1);
      break;
    case Qt::Key_Escape:
      if (!IsDealing()) {
        engine_->ReleaseAllHolds();
        CardRow->PaintAllCards();
      }
      QMainWindow::keyReleaseEvent(event);
      return;
    default:
      QMainWindow::keyReleaseEvent(event);
      return;
  }
  event->accept();
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
  // A dealing sequence still under way shows its last cards at once; the engine has played
  // the round already, and collects it when the window goes.
  CardRow->Finish();
  QMainWindow::closeEvent(event);
}

void TfTavrik20Main::ShowHelp(HelpContext context) {
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
