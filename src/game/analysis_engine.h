#pragma once

#include <memory>

#include "core/poker_engine.h"

namespace tavrik {

// The analysis engine of game 0..8, with the game's description set. The game engine
// obtains every analysis engine here. Only the natural games can be analysed so far: for
// a wild-card game this raises TError.
std::unique_ptr<TPokerEngine> CreateAnalysisEngine(int gameIndex);

}  // namespace tavrik
