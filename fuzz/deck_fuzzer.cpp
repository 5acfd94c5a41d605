// A deck file as the paint engine loads it: decoded, checked against the card size, and
// when accepted every card is painted.
#include <QPainter>

#include "fuzz_support.h"
#include "ui/cards/paint_engine.h"
#include "zlib_mutator.h"

namespace {

class TFuzzPaintEngine : public tavrik::TPaintEngine {
 public:
  using TPaintEngine::LoadDeck;
  using TPaintEngine::TPaintEngine;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavrik;
  static TFuzzPaintEngine engine(fuzz::Scratch());
  const auto path = fuzz::Scratch() / "deck.fuzz";
  fuzz::WriteFile(path, fuzz::AsText(data, size));
  try {
    engine.LoadDeck(path);
  } catch (const TError&) {
    return 0;
  }
  for (int rank = -1; rank <= 12; ++rank) {
    for (int suit = 0; suit < 4; ++suit) {
      (void)engine.CardImage(suit == 1, suit == 2, suit, rank);
    }
  }
  return 0;
}
