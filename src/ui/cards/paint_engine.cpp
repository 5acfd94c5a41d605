#include "ui/cards/paint_engine.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "core/data_files.h"
#include "core/error.h"
#include "ui/cards/builtin_images.h"

namespace tavrik {

namespace {

constexpr std::array<std::string_view, 9> PipPatterns = {
    "  *         *  ",  // two: the middle column, clear of the corner indexes
    "*      *      *",  // three
    "**           **",  // four
    "**     *     **",  // five
    "**    * *    **",  // six
    "**    * *  * **",  // seven
    "** *  * *  * **",  // eight
    "**  ** * **  **",  // nine
    "*** **   ** ***",  // ten
};

// Held marker rows start this far below the card's top.
constexpr int HeldMarkerTop = 80;

// Rounds to the nearest integer, halves to the even neighbour.
int RoundEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// Combines `source` (the area `from`) with the canvas at `at` by a bitwise AND of colours.
void AndImage(QPainter& canvas, QPoint at, const QImage& source, const QRect& from) {
  // An empty source area would make QPainter draw the whole image.
  if (from.width() <= 0 || from.height() <= 0) return;
  canvas.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  canvas.drawImage(at, source, from);
}

void CopyImage(QPainter& canvas, QPoint at, const QImage& source, const QRect& from) {
  if (from.width() <= 0 || from.height() <= 0) return;
  canvas.setCompositionMode(QPainter::CompositionMode_Source);
  canvas.drawImage(at, source, from);
}

// Suits are numbered spades, clubs, diamonds, hearts; pictures within a group run clubs,
// spades, diamonds, hearts.
constexpr std::array<int, 4> PictureSuitColumn = {1, 0, 2, 3};

// The innermost message of an error chain.
std::string FirstLine(const std::string& message) {
  return message.substr(0, message.find_first_of("\r\n"));
}

}  // namespace

QPixmap DevicePixmap(const QImage& image, QSize pixels, qreal ratio) {
  QPixmap pixmap =
      QPixmap::fromImage(image.size() == pixels ? image
                                                : image.scaled(pixels, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation));
  pixmap.setDevicePixelRatio(ratio);
  return pixmap;
}

std::filesystem::path CardDataFolder() {
  return ProgramFolder() / "data";
}

TPaintEngine::TPaintEngine(std::filesystem::path dataFolder, int scale)
    : dataFolder_(std::move(dataFolder)), scale_(scale) {
  Require(scale == 1 || std::find(TwinScales.begin(), TwinScales.end(), scale) != TwinScales.end(),
          "Paint engine scale out of range");
  const QString suffix = TwinSuffix(scale);
  face_ = LoadCompressedImage("EMPTY" + suffix);
  heldMarker_ = LoadCompressedImage("HELD" + suffix);
  wildFace_ = LoadCompressedImage("WILD" + suffix);
  cardWidth_ = face_.width();
  cardHeight_ = face_.height();
}

TPaintEngine& TPaintEngine::ForPixels(QSize pixels) {
  if (scale_ != 1 || builtIn_ || deckId_.isEmpty()) return *this;
  TPaintEngine* best = this;
  for (size_t i = 0; i < twins_.size(); ++i) {
    // Up to a quarter above its own size a card's pixels scale up well enough.
    if (4 * pixels.height() <= 5 * best->cardHeight_) break;
    std::unique_ptr<TPaintEngine>& twin = twins_[i];
    if (!twin) {
      twin = std::make_unique<TPaintEngine>(dataFolder_ / TwinFolder(TwinScales[i]), TwinScales[i]);
    }
    // A deck without a twin shows on the twin as another deck; its problems are not told.
    twin->SetDeck(deckId_);
    twin->SetBack(backIndex_);
    if (twin->DeckId() != deckId_ || twin->UsesBuiltInDeck()) break;
    best = twin.get();
  }
  return *best;
}

std::string_view TPaintEngine::PipPattern(int rank) {
  RequireInRange(rank, 0, 8, "Pip pattern rank");
  return PipPatterns[static_cast<size_t>(rank)];
}

QPoint TPaintEngine::PipPosition(int position) const {
  Require(position >= 1 && position <= 15, "Pip position out of range");
  return pipPositions_[static_cast<size_t>(position)];
}

void TPaintEngine::SetDeck(const QString& id) {
  if (id == deckId_) return;
  const QString fallback =
      QString::fromLatin1(DefaultDeckId.data(), static_cast<qsizetype>(DefaultDeckId.size()));
  // A missing deck other than the default is silently replaced; a damaged one is told.
  const auto tryDeck = [&](const QString& deck, bool tellMissing) {
    const auto path = dataFolder_ / ("deck." + deck.toStdString());
    std::error_code error;
    if (!tellMissing && !std::filesystem::exists(path, error)) return false;
    try {
      LoadDeck(path);
      return true;
    } catch (const TError& failure) {
      TellOnce(path, "The deck file " + path.string() + " cannot be used (" +
                         FirstLine(failure.what()) + "). Other cards are shown instead.");
      return false;
    }
  };
  if (id != fallback && tryDeck(id, false)) {
    deckId_ = id;
    return;
  }
  if (deckId_ == fallback) return;
  if (!tryDeck(fallback, true)) {
    UseDeck(BuiltInDeck());
    builtIn_ = true;
  }
  deckId_ = fallback;
}

std::vector<std::string> TPaintEngine::TakeProblems() {
  return std::exchange(problems_, {});
}

void TPaintEngine::TellOnce(const std::filesystem::path& file, const std::string& message) {
  if (toldFiles_.insert(file.string()).second) problems_.push_back(message);
}

void TPaintEngine::SetBack(int index) {
  if (index == backIndex_) return;
  backIndex_ = index;
  backImage_ = QImage();
}

void TPaintEngine::LoadDeck(const std::filesystem::path& path) {
  TDeckImages deck = ReadDeckFile(path);
  WithContext("Checking deck file " + path.string(), [&] {
    CheckDeckHeader(deck, QSize(cardWidth_, cardHeight_));
    const auto positions = PipLayout(deck);
    for (size_t i = 1; i < positions.size(); ++i) {
      const QPoint at = positions[i];
      if (at.x() < 0 || at.y() < 0 || at.x() + deck.PipStrip.width() / 4 > cardWidth_ ||
          at.y() + deck.PipStrip.height() > cardHeight_) {
        throw TError("Pip position " + std::to_string(i) + " is off the card");
      }
    }
  });
  UseDeck(std::move(deck));
  builtIn_ = false;
}

void TPaintEngine::UseDeck(TDeckImages deck) {
  pipPositions_ = PipLayout(deck);
  header_ = deck.Header;
  rankStrip_ = std::move(deck.RankStrip);
  rankStripRotated_ = rankStrip_.mirrored(true, true);
  pictureStrip_ = std::move(deck.PictureStrip);
  pipStrip_ = std::move(deck.PipStrip);
  pipStripFlipped_ = pipStrip_.mirrored(false, true);
  LayoutChanged();
}

std::array<QPoint, 16> TPaintEngine::PipLayout(const TDeckImages& deck) const {
  const TDeckHeader& header = deck.Header;
  const int pw = deck.PipStrip.width() / 4;
  const int ph = deck.PipStrip.height();
  const int rw = deck.RankStrip.width() / 13;
  const int rh = deck.RankStrip.height() / (header.IndexPerSuit != 0 ? 4 : 2);
  const int w = cardWidth_;
  const int h = cardHeight_;
  const int xL = rw + header.IndexX + header.PipMarginX;
  const int xR = w - pw - xL;
  const int xC = RoundEven((xL + xR) / 2.0);
  const int yT = rh + header.IndexY + header.PipMarginY;
  const double halfPip = ph / 2.0;
  const int y3 = yT + RoundEven((h - yT) / 6.0 - halfPip) + header.Row3Shift;
  const int y4 = yT + RoundEven((h - yT) / 4.0 - halfPip);
  const int y5 = yT + RoundEven((h - 2 * yT) / 3.0 - halfPip) + header.Row5Shift;
  const int y7 = yT + RoundEven((h - 2 * yT) / 2.0 - halfPip);
  std::array<QPoint, 16> p{};
  p[1] = {xL, yT};
  p[2] = {xR, yT};
  p[3] = {xC, y3};
  p[4] = {xC, y4};
  p[5] = {xL, y5};
  p[6] = {xR, y5};
  p[7] = {xL, y7};
  p[8] = {xC, y7};
  p[9] = {xR, y7};
  // The lower half mirrors the upper one about the card's horizontal axis.
  const auto mirror = [&](int from) {
    return QPoint(p[static_cast<size_t>(from)].x(), h - p[static_cast<size_t>(from)].y() - ph);
  };
  p[14] = mirror(1);
  p[15] = mirror(2);
  p[13] = mirror(3);
  p[12] = mirror(4);
  p[10] = mirror(5);
  p[11] = mirror(6);
  return p;
}

void TPaintEngine::DrawCard(QPainter& canvas, const QRect& rect, bool held, bool wild, int suit,
                            int rank) {
  RequireInRange(rank, -1, 12, "Card rank");
  if (rank != -1) RequireInRange(suit, 0, 3, "Card suit");
  const int x = rect.left();
  const int y = rect.top();
  const int right = x + rect.width();
  const int bottom = y + rect.height();
  canvas.save();
  const QImage& background = wild ? wildFace_ : face_;
  CopyImage(canvas, {x, y}, background, background.rect());

  if (rank >= 0) {
    const int rows = header_.IndexPerSuit != 0 ? 4 : 2;
    const int w = rankStrip_.width() / 13;
    const int h = rankStrip_.height() / rows;
    const int row = rows == 4 ? suit : suit / 2;  // black suits, then red ones
    AndImage(canvas, {x + GetIndexX(), y + GetIndexY()}, rankStrip_,
             QRect(rank * w, row * h, w, h));
    const bool mirrored = rank == 12  ? header_.MirrorAce
                          : rank >= 9 ? header_.MirrorPictures
                                      : header_.MirrorNumbers;
    if (mirrored) {
      AndImage(canvas, {right - w - header_.IndexX, bottom - h - header_.IndexY}, rankStripRotated_,
               QRect((12 - rank) * w, (rows - 1 - row) * h, w, h));
    }
    if (!wild) {
      if (header_.AllPictures == 1 || rank >= 9) {
        DrawPicture(canvas, x, y, right, bottom, suit, rank);
      } else {
        DrawCornerPips(canvas, x, y, right, bottom, suit, header_.MirrorNumbers);
        const int pw = pipStrip_.width() / 4;
        const QRect pip(suit * pw, 0, pw, pipStrip_.height());
        const std::string_view pattern = PipPatterns[static_cast<size_t>(rank)];
        for (size_t i = 1; i <= 15; ++i) {
          if (pattern[i - 1] != '*') continue;
          AndImage(canvas, QPoint(x, y) + pipPositions_[i], i <= 6 ? pipStrip_ : pipStripFlipped_,
                   pip);
        }
      }
    }
  }

  if (held) {
    CopyImage(canvas, {x + 1, y + HeldMarkerTop * scale_}, heldMarker_,
              QRect(1, 0, heldMarker_.width() - 2, heldMarker_.height()));
  }
  canvas.restore();
}

void TPaintEngine::DrawPicture(QPainter& canvas, int x, int y, int right, int bottom, int suit,
                               int rank) {
  const int base = header_.AllPictures == 1 ? 0 : (rank - 9) * 4;
  const int column = base + PictureSuitColumn[static_cast<size_t>(suit)];
  AndImage(canvas, {x, y}, pictureStrip_, QRect(column * cardWidth_, 0, cardWidth_, cardHeight_));
  if (rank == 12 && header_.AcePictureOnly) return;
  DrawCornerPips(canvas, x, y, right, bottom, suit,
                 header_.MirrorPictures && (rank != 12 || header_.MirrorAce));
}

void TPaintEngine::DrawCornerPips(QPainter& canvas, int x, int y, int right, int bottom, int suit,
                                  bool mirrored) {
  const int pw = pipStrip_.width() / 4;
  const int ph = pipStrip_.height();
  const QRect pip(suit * pw, 0, pw, ph);
  AndImage(canvas, {x + header_.PicturePipX, y + header_.PicturePipY}, pipStrip_, pip);
  if (mirrored) {
    AndImage(canvas, {right - pw - header_.PicturePipX, bottom - ph - header_.PicturePipY},
             pipStripFlipped_, pip);
  }
}

QImage TPaintEngine::ComposeBack(const QImage& face, const QImage& strip, int index) {
  QImage image = face.convertToFormat(QImage::Format_RGB32);
  QPainter painter(&image);
  const int w = face.width();
  const int h = face.height();
  AndImage(painter, {1, 1}, strip, QRect(index * w + 1, 1, w - 2, h - 2));
  return image;
}

void TPaintEngine::BuildBackImage() {
  const auto path = dataFolder_ / "back.001";
  try {
    backImage_ = ComposeBack(face_, ReadBackStrip(path), backIndex_);
  } catch (const TError& failure) {
    TellOnce(path, "The backs file " + path.string() + " cannot be used (" +
                       FirstLine(failure.what()) + "). A plain back is shown instead.");
    backImage_ = PlainBack(face_);
  }
}

void TPaintEngine::DrawBack(QPainter& canvas, const QRect& rect) {
  if (backImage_.isNull()) BuildBackImage();
  canvas.save();
  CopyImage(canvas, rect.topLeft(), backImage_, backImage_.rect());
  canvas.restore();
}

QImage TPaintEngine::CardImage(bool held, bool wild, int suit, int rank) {
  QImage image(cardWidth_, cardHeight_, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawCard(painter, image.rect(), held, wild, suit, rank);
  return image;
}

QImage TPaintEngine::BackImage() {
  QImage image(cardWidth_, cardHeight_, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawBack(painter, image.rect());
  return image;
}

}  // namespace tavrik
