#pragma once

#include <memory>

#include "core/error.h"
#include "core/poker_description.h"
#include "core/poker_engine.h"

namespace tavrik::calc {

// The analysis engine of a game 0..8, with its description set.
inline std::unique_ptr<TPokerEngine> MakeEngine(int game) {
  auto engine = std::make_unique<TPokerEngine>();
  const auto description = CreateDescription(game);
  if (!description->IsNatural()) throw TError("wild-card games are not analysed yet");
  engine->SetDescription(*description);
  return engine;
}

}  // namespace tavrik::calc
