#include "ui/main/main_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <functional>

#include "core/game_list.h"
#include "ui/dialogs/hand_analyser.h"
#include "ui/main/main_window.h"
#include "ui/stats/strategy_window.h"
#include "ui/widgets/error_handler.h"
#include "ui/widgets/text_format.h"

namespace tavrik {

void TMainMenus::Create(TfTavrik20Main& window) {
  const auto addItem = [&window](QMenu* menu, const std::function<void()>& action,
                                 const QKeySequence& shortcut = {}, bool checkable = false) {
    QAction* item = menu->addAction(QString());
    item->setShortcut(shortcut);
    item->setCheckable(checkable);
    QObject::connect(item, &QAction::triggered, &window, action);
    return item;
  };
  QMenuBar* bar = window.menuBar();
  miGame = bar->addMenu(QString());
  auto* games = new QActionGroup(&window);
  for (const TGameName& game : GameNames()) {
    const int index = game.GameIndex;
    QAction* item = addItem(
        miGame, [&window, index] { window.SelectGame(index); }, {}, true);
    item->setText(QString::fromStdString(game.Name).replace("&", "&&"));  // "&&" shows "&"
    games->addAction(item);
    GameItems.at(static_cast<size_t>(index)) = item;
  }
  miGame->addSeparator();
  miSelectVP = addItem(
      miGame, [&window] { window.miSelectVPClick(); }, QKeySequence(Qt::CTRL | Qt::Key_V));
  miAnalyseHand = addItem(
      miGame,
      [&window] {
        Guarded([&window] { ShowHandAnalyser(window.Engine(), window.Preferences(), &window); });
      },
      QKeySequence(Qt::CTRL | Qt::Key_N));

  miMode = bar->addMenu(QString());
  auto* modes = new QActionGroup(&window);
  for (size_t i = 0; i < ModeItems.size(); ++i) {
    const auto mode = static_cast<GameMode>(static_cast<int>(i));
    ModeItems[i] = addItem(
        miMode, [&window, mode] { window.SelectMode(mode); }, {}, true);
    modes->addAction(ModeItems[i]);
  }
  miMode->addSeparator();
  miShowResultHands = addItem(
      miMode, [&window] { window.ToggleOption(ShowResultHands); }, {}, true);
  miShowWarnings = addItem(
      miMode, [&window] { window.ToggleOption(ShowWarnings); }, {}, true);

  miStatistics = bar->addMenu(QString());
  miAllHands = addItem(
      miStatistics, [&window] { window.miAllHandsClick(); }, QKeySequence(Qt::CTRL | Qt::Key_A));
  miStatistics->addSeparator();
  miResetBalance = addItem(miStatistics, [&window] { window.ResetBalance(); });
  miShowStats = addItem(
      miStatistics, [&window] { window.miShowStatsClick(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
  miShowCharts = addItem(
      miStatistics, [&window] { Guarded([&window] { window.Engine().ShowCharts(); }); },
      QKeySequence(Qt::CTRL | Qt::Key_C));
  miShowErrors = addItem(
      miStatistics, [&window] { Guarded([&window] { window.Engine().ShowErrors(); }); },
      QKeySequence(Qt::CTRL | Qt::Key_E));
  miShowStrategy = addItem(miStatistics, [&window] {
    Guarded([&window] { ShowStrategyWindow(window.Engine(), window.Preferences(), &window); });
  });
  miStatistics->addSeparator();
  miClearLog = miStatistics->addMenu(QString());
  miClearAllRecords = addItem(miClearLog, [&window] { window.miClearAllRecordsClick(); });
  miClearByFilter =
      addItem(miClearLog, [&window] { Guarded([&window] { window.Engine().ClearByFilter(); }); });

  miPreferences = bar->addMenu(QString());
  miChangePreferences = addItem(
      miPreferences, [&window] { Guarded([&window] { window.Engine().SetupPreferences(); }); },
      QKeySequence(Qt::CTRL | Qt::Key_P));
  miSelectDeck = addItem(
      miPreferences, [&window] { window.miSelectDeckClick(); }, QKeySequence(Qt::CTRL | Qt::Key_D));
  miSelectBack = addItem(
      miPreferences, [&window] { window.miSelectBackClick(); }, QKeySequence(Qt::CTRL | Qt::Key_B));

  miHelp = bar->addMenu(QString());
  miHelpGetStart = addItem(miHelp, [&window] { window.ShowHelp(HelpGettingStarted); });
  miShowHelp = addItem(miHelp, [&window] { window.ShowHelp(HelpMainWindow); });
  miHelp->addSeparator();
  miAbout = addItem(miHelp, [&window] { window.miAboutClick(); });
  // Last in the Game menu: quitting ends the session as closing the window does.
  miGame->addSeparator();
  miQuit = addItem(
      miGame, [&window] { window.close(); }, QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TMainMenus::ApplyLanguage(const TPreferences& preferences) {
  const std::pair<QAction*, const char*> items[] = {
      {miGame->menuAction(), "Game"},
      {miSelectVP, "SelectVP"},
      {miAnalyseHand, "AnalyseHand"},
      {miMode->menuAction(), "Mode"},
      {ModeItems[0], "AutoHint"},
      {ModeItems[1], "Training"},
      {ModeItems[2], "RealPlay"},
      {ModeItems[3], "PlayProblemHands"},
      {miShowResultHands, "ShowResultHands"},
      {miShowWarnings, "ShowWarnings"},
      {miStatistics->menuAction(), "Statistics"},
      {miAllHands, "AllHands"},
      {miShowStats, "ShowStats"},
      {miShowCharts, "ShowCharts"},
      {miShowErrors, "ShowErrors"},
      {miShowStrategy, "ShowStrategy"},
      {miResetBalance, "ResetBalance"},
      {miClearLog->menuAction(), "ClearLog"},
      {miClearAllRecords, "ClearAllRecords"},
      {miClearByFilter, "ClearByFilter"},
      {miPreferences->menuAction(), "Preferences"},
      {miChangePreferences, "ChangePreferences"},
      {miSelectDeck, "SelectDeck"},
      {miSelectBack, "SelectBack"},
      {miHelp->menuAction(), "Help"},
      {miHelpGetStart, "GettingStart"},
      {miShowHelp, "ShowHelp"},
      {miAbout, "About"},
      {miQuit, "Quit"},
  };
  for (const auto& [item, key] : items) item->setText(Text(preferences, "Main.Menu", key));
}

void TMainMenus::Sync(const TGameEngine& engine, const TPreferences& preferences) {
  const int game = engine.GameType();
  if (game >= 0 && game < static_cast<int>(GameItems.size())) {
    GameItems[static_cast<size_t>(game)]->setChecked(true);
  }
  // The game played names its paytable when it is one of the player's (index above 0).
  for (const TGameName& name : GameNames()) {
    QString text = QString::fromStdString(name.Name).replace("&", "&&");
    if (name.GameIndex == game && engine.PayIndex() > 0) {
      text += " " + FormatText(Text(preferences, "Main.Menu", "PlayedPaytable"),
                               {QString::number(engine.PayIndex())});
    }
    GameItems.at(static_cast<size_t>(name.GameIndex))->setText(text);
  }
  ModeItems[static_cast<size_t>(engine.Mode())]->setChecked(true);
  miShowResultHands->setChecked(engine.HasOption(ShowResultHands));
  miShowWarnings->setChecked(engine.HasOption(ShowWarnings));
  miResetBalance->setEnabled(engine.CanResetCounters());
  miSelectVP->setEnabled(engine.CanSelectPoker());
}

}  // namespace tavrik
