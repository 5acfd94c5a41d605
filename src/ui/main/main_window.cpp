#include "ui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "core/data_files.h"
#include "core/version.h"
#include "ui/dialogs/all_hands.h"
#include "ui/dialogs/choice_dialog.h"
#include "ui/dialogs/message_boxes.h"
#include "ui/main/window_placement.h"
#include "ui/paytables/choose_dialog.h"
#include "ui/stats/log_window.h"
#include "ui/widgets/card_button.h"
#include "ui/widgets/error_handler.h"
#include "ui/widgets/gradient_label.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

namespace {

// At scale 1.
constexpr int PanelBorder = 3;
constexpr int HeaderHeight = 22;
constexpr double CardRowShare = 0.45;  // of the table's height, at most

int Scaled(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels * scale));
}

}  // namespace

TfTavrik20Main::TfTavrik20Main(TPreferences& preferences, const std::filesystem::path& dataFolder,
                               QWidget* parent)
    : QMainWindow(parent), preferences_(preferences), texts_(preferences), dataFolder_(dataFolder) {
  setObjectName("TfTavrik20Main");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setMinimumSize(MinimumWindowSize);
  resize(InitialWindowSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(InitialWindowSize.width() / 2, InitialWindowSize.height() / 2));
  }
  windows_.TakeNotedProblems();
  cardLook_ = std::make_unique<TCardLook>(preferences_.Settings, dataFolder_, windows_);
  engine_ = std::make_unique<TGameEngine>(preferences_, windows_);
  engine_->Logger().SetShortDateFormat(SystemShortDate);

  CreateControls();
  Menus.Create(*this);
  for (QMenu* menu : {Menus.miGame, Menus.miMode, Menus.miStatistics}) {
    connect(menu, &QMenu::aboutToShow, this, [this] { SyncMenus(); });
  }
  // A menu closed with Esc leaves the bar holding the keyboard, where the next Space
  // would open a menu instead of dealing: a play key takes the keyboard back to the table.
  menuBar()->installEventFilter(this);
  LoadPlacement(*this, preferences_.Settings, PlacementSection);
  SyncMenus();
  ApplyLanguage();
  RebuildGrid();
  CardRow->PaintAllCards();
  RefreshInfo();
  Info->ShowPlayTime();
  // The first idle moment: problems found while starting, and on a first start the deck
  // dialog.
  QTimer::singleShot(0, this, [this] {
    Guarded([this] {
      windows_.ShowPendingProblems();
      if (cardLook_->TakeFirstStart()) miSelectDeckClick(MessageText("FirstDeck"));
    });
  });
}

TfTavrik20Main::~TfTavrik20Main() {
  windows_.SetShuttingDown();
  try {
    CardRow->Finish();
    engine_->Collect();
  } catch (const std::exception& error) {
    windows_.ReportProblem(error.what());
  }
  try {
    SaveSettings();
  } catch (const std::exception& error) {
    windows_.ReportProblem(error.what());
  }
  engine_.reset();
}

void TfTavrik20Main::CloseOnSignal() {
  closingOnSignal_ = true;
  windows_.SetShuttingDown();
  close();
}

void TfTavrik20Main::SaveAll() {
  try {
    engine_->Collect();
  } catch (const std::exception& error) {
    windows_.ReportProblem(error.what());
  }
  try {
    SaveSettings();
    engine_->SaveToIni(preferences_.Settings);
    preferences_.Save();
  } catch (const std::exception&) {
    windows_.ReportProblem("The settings file cannot be written: " + WriteFailureReason(errno) +
                           ". The settings of this session are lost.");
  }
}

void TfTavrik20Main::CreateControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  lPokerName = new TGradientLabel(central);
  PayoutGrid = new TPaytableGrid(*engine_, central);
  connect(PayoutGrid, &TPaytableGrid::ColumnClicked, this,
          [this](int column) { ChangeBet(column); });
  CardRow = new TCardRow(*engine_, cardLook_->Engine(), central);
  connect(CardRow, &TCardRow::CardClicked, this, [this](int position) { ToggleCard(position); });
  Info = new TInfoColumn(*engine_, preferences_, central);
  connect(Info, &TInfoColumn::CoinValueClicked, this, [this] { lCoinCostClick(); });
  connect(Info->btnHint, &QAbstractButton::clicked, this, [this] { btnHintClick(); });
  connect(Info->btnDoubleUp, &QAbstractButton::clicked, this, [this] { btnDoubleUpClick(); });
  connect(Info->btnDeal, &QAbstractButton::clicked, this, [this] { btnDealClick(); });
  central->installEventFilter(this);
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] { ShowHelp(HelpMainWindow); });
  setFocusPolicy(Qt::StrongFocus);
}

bool TfTavrik20Main::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) LayOut();
  if (watched == menuBar() && event->type() == QEvent::KeyPress &&
      QApplication::activePopupWidget() == nullptr) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsPlayKey(key->key())) {
      setFocus();  // the bar leaves its keyboard mode
      keyPressEvent(key);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

QString TfTavrik20Main::MessageText(const char* key) const {
  return Text(preferences_, "Main.Messages", key);
}

void TfTavrik20Main::ApplyLanguage() {
  Menus.ApplyLanguage(preferences_);
  CardRow->PaintAllCards();
  ApplyWindowFont(this, preferences_);
  const QString fontName = QString::fromStdString(preferences_.FontName);
  StyleHeaderLabel(lPokerName, fontName);
  StyleHeaderLabel(CardRow->lInfoLabel, fontName);
  Info->ApplyLanguage();  // after the window font: the values are its bold form
  LayOut();               // the fonts at the table's scale
  setWindowTitle(QString("  ") + ProgramTitle.data());
  QApplication::setApplicationName(ProgramTitle.data());
}

void TfTavrik20Main::SaveSettings() {
  SavePlacement(*this, preferences_.Settings, PlacementSection);
  cardLook_->Save(preferences_.Settings);
}

void TfTavrik20Main::SyncMenus() {
  Menus.Sync(*engine_, preferences_);
}

// --- Layout --------------------------------------------------------------------------

// The left part holds the title and the grid over the card row; the info column stands at
// the right, its buttons level with the cards. Everything grows with the window: headers,
// fonts and the info column by the table's scale, the cards as far as the left part's
// width and their share of the height allow, the grid takes the rest.
void TfTavrik20Main::LayOut() {
  const QWidget* central = centralWidget();
  if (central == nullptr || Info == nullptr) return;
  const int width = central->width();
  const int height = central->height();
  const double scale =
      std::max(1.0, std::min(static_cast<double>(width) / BaseTableSize.width(),
                             static_cast<double>(height) / BaseTableSize.height()));
  const int border = Scaled(PanelBorder, scale);
  const int header = Scaled(HeaderHeight, scale);
  const int infoWidth = Scaled(TInfoColumn::BaseWidth, scale);
  const int left = std::max(0, width - infoWidth);

  // The cards: five across the row with a sixteenth of a card between them, and the row
  // (header, cards and a tenth of a card above and below) within its share of the height.
  const double aspect =
      static_cast<double>(cardLook_->Engine().CardHeight()) / cardLook_->Engine().CardWidth();
  const double byWidth = (left - 2 * border) / (5 + 4 / 16.0) * aspect;
  const double byHeight = (height * CardRowShare - header - 2 * border) / 1.2;
  int cardHeight = std::max(1, static_cast<int>(std::min(byWidth, byHeight)));
  // Little above the deck's own size the cards keep it, pixel for pixel.
  const int deckHeight = cardLook_->Engine().CardHeight();
  if (cardHeight >= deckHeight && cardHeight < deckHeight * 115 / 100) cardHeight = deckHeight;
  const int cardWidth = std::max(1, static_cast<int>(cardHeight / aspect));
  CardRow->SetMetrics(header, border, QSize(cardWidth, cardHeight));
  const int block = CardRow->BlockHeight();
  CardRow->setGeometry(0, height - block, left, block);

  QFont headerFont = lPokerName->font();
  headerFont.setPixelSize(Scaled(QFontInfo(font()).pixelSize(), scale));
  for (QLabel* label :
       {static_cast<QLabel*>(lPokerName), static_cast<QLabel*>(CardRow->lInfoLabel)}) {
    label->setFont(headerFont);
  }
  lPokerName->setGeometry(border, border, left - 2 * border, header);
  PayoutGrid->SetFontScale(scale);
  PayoutGrid->setGeometry(border, border + header, left - 2 * border,
                          std::max(0, height - block - border - header));
  Info->setGeometry(left, 0, infoWidth, height);
  Info->SetMetrics(scale, block, CardRow->CardTop(), cardHeight);
}

void TfTavrik20Main::RebuildGrid() {
  lPokerName->setText(QString::fromStdString(engine_->GameTitle()));
  PayoutGrid->Rebuild();
}

// --- Play ----------------------------------------------------------------------------

void TfTavrik20Main::btnDealClick() {
  if (IsDealing() || !engine_->CanDrawOrDeal()) return;
  bool started = false;
  Guarded([&] {
    TGameEngine& engine = *engine_;
    if (engine.State() == GameState::Finished) CardRow->SetStatus(MessageText("Dealing"));
    if (engine.State() == GameState::Dealt) CardRow->SetStatus(MessageText("Drawing"));
    const bool drawnOrDealt = engine.DrawOrDeal();
    SyncMenus();                // the warning may have been turned off
    if (!drawnOrDealt) return;  // back to the dealt hand from the warning
    // The last round's win highlight and Double button go at once, not after the cards.
    Info->Refresh();
    PayoutGrid->update();
    if (engine.State() == GameState::Dealt) {
      Info->AddChartPoint(engine.PerfectCredits(), engine.Credits());
    }
    started = true;
    CardRow->TurnCards(engine.NewCards(), preferences_.DealSpeed(), [this] { RefreshInfo(); });
  });
  if (!started) RefreshInfo();
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
    CardRow->DealDoubleUp(preferences_.DealSpeed(), [this] {
      CardRow->SetStatus(MessageText("DoubleInfo"));
      RefreshInfo();
    });
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
      CardRow->RevealPick(position, preferences_.DealSpeed(), [this] { RefreshInfo(); });
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
    for (const double value : CoinValues) items.append(QString::fromStdString(MoneyText(value, 2)));
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

void TfTavrik20Main::miShowStatsClick() {
  Guarded([this] { engine_->ShowStatistics(); });
}

bool TfTavrik20Main::Confirm(const char* menuKey, const char* messageKey) {
  return ConfirmBox(preferences_, menuKey, messageKey, this);
}

void TfTavrik20Main::miAboutClick() {
  ShowAboutBox(preferences_, this);
}

void TfTavrik20Main::miClearAllRecordsClick() {
  if (Confirm("ClearAllRecords", "ClearLog")) Guarded([this] { engine_->ClearLog(); });
}

void TfTavrik20Main::miSelectDeckClick(const QString& reason) {
  Guarded([this, &reason] {
    if (cardLook_->ChooseDeck(texts_, this, reason)) CardRow->PaintAllCards();
  });
}

void TfTavrik20Main::miSelectBackClick() {
  Guarded([this] {
    if (cardLook_->ChooseBack(texts_, this)) CardRow->PaintAllCards();
  });
}

void TfTavrik20Main::miSelectVPClick() {
  if (IsDealing() || !engine_->CanSelectPoker()) return;
  bool chosen = false;
  Guarded([&] { chosen = SelectVideoPoker(*engine_, preferences_, this); });
  if (chosen) {
    RebuildGrid();
    CardRow->PaintAllCards();
    SyncMenus();
  }
  RefreshInfo();
}

void TfTavrik20Main::ResetBalance() {
  if (!engine_->CanResetCounters() || !Confirm("ResetBalance", "ResetBalance")) return;
  Guarded([this] { engine_->ResetValues(); });
  RefreshInfo();
  Info->ShowPlayTime();
}

void TfTavrik20Main::RefreshInfo() {
  const TGameEngine& engine = *engine_;
  Info->Refresh();
  PayoutGrid->update();
  Menus.miAllHands->setEnabled(engine.State() == GameState::Dealt);
  Menus.miSelectVP->setEnabled(engine.CanSelectPoker());
  switch (engine.State()) {
    case GameState::NoRound:
      CardRow->SetStatus(MessageText("Start"));
      break;
    case GameState::Dealt:
      CardRow->SetStatus(MessageText("Hold"));
      break;
    case GameState::Finished: {
      const QString win = FormatText(MessageText("Win"), {QString::number(engine.Win())});
      if (engine.DoublePick() >= 0) {
        const int outcome = engine.DoubleOutcome();
        CardRow->SetStatus(outcome > 0 ? win : MessageText(outcome < 0 ? "DoubleLost" : "Push"));
      } else {
        CardRow->SetStatus(engine.Win() > 0 ? win : MessageText("Finish"));
      }
      break;
    }
    case GameState::DoubleUp:
      break;
  }
}

// --- Events --------------------------------------------------------------------------

bool TfTavrik20Main::IsPlayKey(int key) {
  return (key >= Qt::Key_1 && key <= Qt::Key_5) || key == Qt::Key_Space || key == Qt::Key_H ||
         key == Qt::Key_D || key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Minus;
}

void TfTavrik20Main::keyPressEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat()) pressedKeys_.insert(event->key());
  QMainWindow::keyPressEvent(event);
}

void TfTavrik20Main::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) {
    event->accept();
    return;
  }
  const int key = event->key();
  if (!pressedKeys_.remove(key)) {
    QMainWindow::keyReleaseEvent(event);
    return;
  }
  if (key >= Qt::Key_1 && key <= Qt::Key_5) {
    ToggleCard(key - Qt::Key_1);
  } else if (key == Qt::Key_Space) {
    btnDealClick();
  } else if (key == Qt::Key_H) {
    btnHintClick();
  } else if (key == Qt::Key_D) {
    btnDoubleUpClick();
  } else if (key == Qt::Key_Plus || key == Qt::Key_Equal) {  // "=" is the unshifted plus key
    ChangeBet(engine_->Bet() + 1);
  } else if (key == Qt::Key_Minus) {
    ChangeBet(engine_->Bet() - 1);
  } else {
    if (key == Qt::Key_Escape && !IsDealing()) {
      engine_->ReleaseAllHolds();
      CardRow->PaintAllCards();
    }
    QMainWindow::keyReleaseEvent(event);
    return;
  }
  event->accept();
}

bool TfTavrik20Main::event(QEvent* event) {
  // A key held while a dialog or a menu takes the keyboard is released there.
  if (event->type() == QEvent::WindowDeactivate) pressedKeys_.clear();
  if (event->type() == QEvent::ScreenChangeInternal) LayOut();  // the pixel density may change
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
  SaveAll();
  QMainWindow::closeEvent(event);
}

void TfTavrik20Main::ShowHelp(HelpContext context) {
  Guarded([this, context] { ShowHelpTopic(context, preferences_, this); });
}

}  // namespace tavrik
