#include "game/analysis_engine.h"

#include "core/error.h"

namespace tavrik {

std::unique_ptr<TPokerEngine> CreateAnalysisEngine(int gameIndex) {
  const std::unique_ptr<TPokerDescription> description = CreateDescription(gameIndex);
  if (!description->IsNatural()) {
    throw TError("The analysis of \"" + description->Name + "\" is not available in this version");
  }
  auto engine = std::make_unique<TPokerEngine>();
  engine->SetDescription(*description);
  return engine;
}

}  // namespace tavrik
