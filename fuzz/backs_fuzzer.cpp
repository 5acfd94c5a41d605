// The backs file: read as the back dialog and the paint engine read it, and every back of
// the strip composed onto the card face.
#include "fuzz_support.h"
#include "ui/cards/builtin_images.h"
#include "ui/cards/deck_file.h"
#include "ui/cards/paint_engine.h"
#include "zlib_mutator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavrik;
  static const QImage face = LoadCompressedImage("EMPTY");
  const auto path = fuzz::Scratch() / "back.fuzz";
  fuzz::WriteFile(path, fuzz::AsText(data, size));
  QImage strip;
  try {
    strip = ReadBackStrip(path);
  } catch (const TError&) {
    return 0;
  }
  for (int index = 0; index < 16; ++index) (void)TPaintEngine::ComposeBack(face, strip, index);
  return 0;
}
