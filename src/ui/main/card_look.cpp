#include "ui/main/card_look.h"

#include <algorithm>

#include "ui/dialogs/back_dialog.h"
#include "ui/dialogs/deck_dialog.h"

namespace tavrik {

namespace {

constexpr int LastBack = 14;

}  // namespace

TCardLook::TCardLook(const TIniFile& settings, const std::filesystem::path& dataFolder,
                     TGameWindows& windows)
    : dataFolder_(dataFolder), windows_(windows), engine_(dataFolder) {
  deckId_ = QString::fromStdString(settings.ReadString(CardsSection, "Deck", ""));
  engine_.SetDeck(deckId_.isEmpty()
                      ? QString::fromLatin1(DefaultDeckId.data(), DefaultDeckId.size())
                      : deckId_);
  engine_.SetBack(std::clamp(settings.ReadInteger(CardsSection, "Back", 0), 0, LastBack));
  engine_.BuildBackImage();  // a backs file that cannot be read is found now
  TellProblems();
}

void TCardLook::Save(TIniFile& settings) const {
  // The player's choice, even while a damaged deck file shows other cards.
  settings.WriteString(CardsSection, "Deck",
                       (deckId_.isEmpty() ? engine_.DeckId() : deckId_).toStdString());
  settings.WriteInteger(CardsSection, "Back", engine_.BackIndex());
}

bool TCardLook::ChooseDeck(const TTextSource& texts, QWidget* parent, const QString& reason) {
  const QString id = SelectDeck(engine_.DeckId(), texts, parent, dataFolder_, reason);
  if (id.isEmpty()) return false;
  engine_.SetDeck(id);
  deckId_ = id;
  TellProblems();
  return true;
}

bool TCardLook::ChooseBack(const TTextSource& texts, QWidget* parent) {
  const int back = SelectBack(engine_.BackIndex(), texts, parent, dataFolder_);
  if (back == -1) return false;
  engine_.SetBack(back);
  return true;
}

bool TCardLook::TakeFirstStart() {
  if (!deckId_.isEmpty()) return false;
  deckId_ = QString::fromLatin1(DefaultDeckId.data(), DefaultDeckId.size());
  return true;
}

void TCardLook::TellProblems() {
  for (const std::string& problem : engine_.TakeProblems()) windows_.ReportProblem(problem);
}

}  // namespace tavrik
