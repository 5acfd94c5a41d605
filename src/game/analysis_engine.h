#pragma once

#include <memory>

#include "core/poker_engine.h"

namespace tavrik {

// The analysis engine of game 0..8, with the game's description set: the natural engine
// for the natural games, the wild-card engine for the three wild games. The game engine
// obtains every analysis engine here. Raises TError for any other index.
std::unique_ptr<TPokerEngine> CreateAnalysisEngine(int gameIndex);

}  // namespace tavrik
