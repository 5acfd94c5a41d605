#pragma once

// Deck and backs files are zlib streams, which random byte changes almost only break:
// the mutator changes the inflated content and deflates it again, so that the readers
// behind the stream see varied headers and bitmaps.
#include <cstring>

#include "core/error.h"
#include "ui/cards/bitmap_stream.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int /*seed*/) {
  QByteArray content;
  try {
    content = tavrik::Inflate(QByteArrayView(data, static_cast<qsizetype>(size)), 1 << 20);
  } catch (const tavrik::TError&) {
    return LLVMFuzzerMutate(data, size, maxSize);
  }
  const auto room = static_cast<size_t>(content.size()) + 64;
  content.resize(static_cast<qsizetype>(room));
  const size_t changed =
      LLVMFuzzerMutate(reinterpret_cast<uint8_t*>(content.data()), room - 64, room);
  content.resize(static_cast<qsizetype>(changed));
  const QByteArray packed = tavrik::Deflate(content);
  if (static_cast<size_t>(packed.size()) > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
  std::memcpy(data, packed.constData(), static_cast<size_t>(packed.size()));
  return static_cast<size_t>(packed.size());
}
