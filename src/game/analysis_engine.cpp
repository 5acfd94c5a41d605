#include "game/analysis_engine.h"

#include "core/wild_engine.h"

namespace tavrik {

std::unique_ptr<TPokerEngine> CreateAnalysisEngine(int gameIndex) {
  return CreateEngineForGame(gameIndex);
}

}  // namespace tavrik
