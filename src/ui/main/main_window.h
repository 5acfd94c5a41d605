#pragma once

#include <QEvent>
#include <QFont>
#include <QImage>
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/game_engine.h"
#include "game/game_windows.h"
#include "game/preferences.h"
#include "ui/cards/paint_engine.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/mini_chart.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTimer;

namespace tavrik {

class TCardButton;
class TGradientLabel;

// The main window: the paytable grid, the card row, the info column with the bankroll
// monitor and the three buttons, and the menus. It owns the game engine and the paint
// engine, turns clicks, keys and menu choices into engine calls and redraws from the
// engine's fields. It also implements the windows the engine opens.
class TfTavrik20Main : public QMainWindow, public TGameWindows {
  Q_OBJECT

 public:
  static constexpr int CardImageWidth = 94;
  static constexpr int CardImageHeight = 127;
  static constexpr int RightColumnWidth = 142;
  static constexpr int BottomBlockHeight = 180;
  static constexpr int BannerHeight = 68;
  static constexpr int HeaderHeight = 22;
  static constexpr int HelpContext = 100;
  static constexpr const char* PlacementSection = "MainWindow";
  static constexpr const char* CardsSection = "Cards";

  // Creates the game engine over `preferences` (which must outlive the window) and the
  // paint engine over the deck files of `dataFolder`, reads the placement, deck and back.
  explicit TfTavrik20Main(TPreferences& preferences,
                          const std::filesystem::path& dataFolder = CardDataFolder(),
                          QWidget* parent = nullptr);
  // Collects the open round, saves the placement, deck and back, and frees the game
  // engine (which saves its settings into the preferences).
  ~TfTavrik20Main() override;

  // TGameWindows.
  TWarningOutcome ShowWarning(const TGameEngine& engine) override;
  int AskOtherMode() override;
  void ShowStatistics(TLogger& logger, TPreferences& preferences) override;
  void ShowErrors(TLogger& logger, TPreferences& preferences) override;
  void ShowCharts(TLogger& logger, TPreferences& preferences) override;
  std::optional<TRecordPredicate> ChooseRecordsToClear(TLogger& logger,
                                                       TPreferences& preferences) override;
  void SetupPreferences(TPreferences& preferences) override;
  void ReportProblem(const std::string& message) override;

  // Player actions, as the buttons, keys and menus call them.
  void btnDealClick();
  void btnHintClick();
  void btnDoubleUpClick();
  // A click on the card at position 0..4: a hold in state Dealt, a pick in DoubleUp.
  void ToggleCard(int position);
  // Takes bet 1..5 between rounds; returns whether it was taken.
  bool ChangeBet(int bet);
  // Game 0..8 with its first paytable.
  void SelectGame(int gameType);
  void SelectMode(GameMode mode);
  // Flips an option bit (ShowResultHands, ShowWarnings) and updates the menu.
  void ToggleOption(GameOption option);
  void lCoinCostClick();
  void miAllHandsClick();
  void miSelectDeckClick();
  void miSelectBackClick();
  void ResetBalance();

  void RefreshInfo();
  void ApplyLanguage();
  void BuildPaytableGrid();
  void PaintCard(int position);
  // Help topic of a help context (100 main window, 1000 getting started, ...).
  void ShowHelp(int context);

  TGameEngine& Engine() { return *engine_; }
  TPaintEngine& PaintEngine() { return *paintEngine_; }
  const TMiniChart& MiniChart() const { return miniChart_; }
  bool IsBusy() const { return busy_; }
  // The colour a grid cell is drawn with and its text, for checks of the grid rules.
  struct TCellLook {
    QString Text;
    QColor TextColour;
    bool Bold = false;
    int Background = 0;  // 0 plain, 1 bet column, 2 winning row
  };
  TCellLook CellLook(int column, int row) const;
  // Widths of the six grid columns and heights of the rows, as last laid out.
  const std::vector<int>& ColumnWidths() const { return columnWidths_; }
  const std::vector<int>& RowHeights() const { return rowHeights_; }
  // The font of the grid's cells (bold for the winning row).
  const QFont& GridFont() const { return gridFont_; }
  // Draws one grid cell into `painter` (the grid widget calls it).
  void PayoutGridDrawCell(QPainter& painter, int column, int row, const QRect& cell) const;
  // The grid column and row at a point of the grid; -1 outside.
  std::pair<int, int> GridCellAt(QPoint point) const;
  void PayoutGridSelectCell(int column, int row);

  // Controls, by their names in the window's design.
  TGradientLabel* lPokerName = nullptr;
  QWidget* BannerPlaceholder = nullptr;
  QWidget* PayoutGrid = nullptr;  // the paytable, drawn cell by cell
  QWidget* Panel3 = nullptr;
  TGradientLabel* lInfoLabel = nullptr;
  QWidget* CardsPanel = nullptr;
  std::array<QLabel*, 5> Cards{};
  QWidget* Panel1 = nullptr;
  TGradientLabel* InfoLabel = nullptr;
  QWidget* LabelPanel = nullptr;
  QLabel* MiniChartImage = nullptr;
  QLabel *CreditLabel = nullptr, *lCredit = nullptr;
  QLabel *BalanceLabel = nullptr, *lBalance = nullptr;
  QLabel *AccuracyLabel = nullptr, *lAccuracy = nullptr;
  QLabel *HandsLabel = nullptr, *lHands = nullptr;
  QLabel *TimeLabel = nullptr, *lTime = nullptr;
  QLabel *ValueLabel = nullptr, *lCoinCost = nullptr;
  QLabel *BetLabel = nullptr, *lBet = nullptr;
  QLabel *WinLabel = nullptr, *lWin = nullptr;
  QWidget* Panel14 = nullptr;
  TCardButton* btnHint = nullptr;
  TCardButton* btnDoubleUp = nullptr;
  TCardButton* btnDeal = nullptr;
  QTimer* Timer = nullptr;

  QMenu* miGame = nullptr;
  std::array<QAction*, 9> GameItems{};
  QAction* miSelectVP = nullptr;
  QMenu* miMode = nullptr;
  std::array<QAction*, 4> ModeItems{};  // AutoHold, Training, RealPlay, PlayErrorHands
  QAction* miShowResultHands = nullptr;
  QAction* miShowWarnings = nullptr;
  QMenu* miStatistics = nullptr;
  QAction* miAllHands = nullptr;
  QAction* miResetBalance = nullptr;
  QMenu* miPreferences = nullptr;
  QAction* miChangePreferences = nullptr;
  QAction* miSelectDeck = nullptr;
  QAction* miSelectBack = nullptr;
  QMenu* miHelp = nullptr;
  QAction* miHelpGetStart = nullptr;
  QAction* miShowHelp = nullptr;

  QString DeckId;  // from the settings; empty on a first start

 protected:
  bool event(QEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateMenus();
  void LayoutWindow();
  void LayoutCards();
  void LayoutInfoRows();
  static std::string PlacementSectionName();
  void LoadPlacement();
  void SavePlacement();
  void FirstStartDeck();
  void SyncMenus();
  void SetStatus(const QString& text);
  void TurnDown(bool all);
  void PaintAllCards();
  void ShowBack(int position);
  void UpdateHintVisibility();
  void ShowPlayTime();
  QString MessageText(const char* key) const;

  TPreferences& preferences_;
  TPreferencesTexts texts_;
  std::filesystem::path dataFolder_;
  std::unique_ptr<TPaintEngine> paintEngine_;
  std::unique_ptr<TGameEngine> engine_;
  QImage scratch_;
  QImage betBackground_;
  QImage winBackground_;
  QImage plainBackground_;
  QFont gridFont_;  // the cells' font, smaller in a small window
  std::vector<int> columnWidths_;
  std::vector<int> rowHeights_;
  TMiniChart miniChart_{130, 60};
  bool busy_ = false;
  bool closePending_ = false;
  std::vector<std::string> pendingProblems_;
};

}  // namespace tavrik
