#pragma once

#include <memory>

#include "core/wild_engine.h"

namespace tavrik::calc {

// The analysis engine of a game 0..8, with its description set.
inline std::unique_ptr<TPokerEngine> MakeEngine(int game) {
  return CreateEngineForGame(game);
}

}  // namespace tavrik::calc
