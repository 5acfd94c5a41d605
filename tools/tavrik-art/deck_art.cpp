#include "deck_art.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <map>

#include "core/error.h"
#include "suit_shapes.h"

namespace tavrik::art {

namespace {

constexpr std::array<const char*, 13> RankTexts = {"2", "3",  "4", "5", "6", "7", "8",
                                                   "9", "10", "J", "Q", "K", "A"};

// The glyph outline of a text at a large size, to be scaled down.
QPainterPath TextPath(const QString& family, const QString& text, QFont::Weight weight) {
  QFont font(family);
  font.setPixelSize(200);
  font.setWeight(weight);
  font.setHintingPreference(QFont::PreferNoHinting);
  QPainterPath path;
  if (text == "10") {
    // Set the two digits close together so that the index stays narrow.
    QPainterPath one;
    one.addText(0, 0, font, "1");
    QPainterPath zero;
    zero.addText(0, 0, font, "0");
    const QRectF oneBox = one.boundingRect();
    const QRectF zeroBox = zero.boundingRect();
    path.addPath(one.translated(-oneBox.left(), 0));
    path.addPath(zero.translated(oneBox.width() + 14 - zeroBox.left(), 0));
    return path;
  }
  path.addText(0, 0, font, text);
  return path;
}

QImage DrawRankStrip(const TDeckStyle& style) {
  const QString family = LoadFontFile(style.IndexFontFile);
  const int w = style.RankWidth;
  const int h = style.RankHeight;
  // Black and red rows, or a row per suit in the suit's own colour.
  std::vector<QColor> rowColours = {style.BlackIndex, style.RedIndex};
  if (style.Header.IndexPerSuit != 0) {
    rowColours.assign(style.Pictures.SuitColours.begin(), style.Pictures.SuitColours.end());
  }
  const int rows = static_cast<int>(rowColours.size());
  QImage strip = NewImage(13 * w, rows * h);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  // One scale for every glyph, fixed by the height of a capital.
  const QRectF capital = TextPath(family, "H", QFont::Bold).boundingRect();
  const double scale = style.GlyphHeight / capital.height();
  for (int rank = 0; rank < 13; ++rank) {
    const QPainterPath path = TextPath(family, RankTexts[static_cast<size_t>(rank)], QFont::Bold);
    const QRectF box = path.boundingRect();
    const double maxWidth = w - 2.0;
    const double xScale = std::min(scale, maxWidth / box.width());
    // The capital's top and baseline centred vertically; a tail below the baseline (J, Q)
    // lifts the glyph so that it stays inside its cell.
    const double top = (h - style.GlyphHeight) / 2.0;
    const double overhang = std::max(0.0, top + (box.bottom() - capital.top()) * scale - (h - 1));
    for (int row = 0; row < rows; ++row) {
      QTransform t;
      t.translate(rank * w + w / 2.0, row * h + top - overhang);
      t.scale(xScale, scale);
      t.translate(-box.center().x(), -capital.top());
      p.setClipRect(QRect(rank * w, row * h, w, h));
      p.setBrush(rowColours[static_cast<size_t>(row)]);
      p.drawPath(t.map(path));
    }
  }
  return strip;
}

QImage DrawPipStrip(const TDeckStyle& style) {
  const int w = style.PipWidth;
  const int h = style.PipHeight;
  QImage strip = NewImage(4 * w, h);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  for (int suit = 0; suit < 4; ++suit) {
    const QRectF cell(suit * w, 0, w, h);
    const double inset = style.PipInset;
    p.setBrush(style.Pictures.SuitColours[static_cast<size_t>(suit)]);
    p.drawPath(SuitPath(suit, FitSuit(suit, cell.adjusted(inset, inset, -inset, -inset))));
  }
  return strip;
}

QImage DrawPictureStrip(const TDeckStyle& style) {
  QImage strip = NewImage(PictureCount * CardWidth, CardHeight);
  QPainter p(&strip);
  const QSize card(CardWidth, CardHeight);
  // Within a group of four the suits run clubs, spades, diamonds, hearts.
  constexpr std::array<int, 4> suitOfColumn = {1, 0, 2, 3};
  for (int group = 0; group < 4; ++group) {
    for (int column = 0; column < 4; ++column) {
      const int suit = suitOfColumn[static_cast<size_t>(column)];
      QImage picture;
      if (style.Seasons) {
        picture = DrawSeason(card, style.CourtFrame, suit, style.Pictures);
      } else if (group < 3) {
        picture = DrawCourt(card, style.CourtFrame, 9 + group, suit, style.Pictures);
      } else {
        picture = DrawAce(card, style.AceArea, suit, style.Pictures);
      }
      p.drawImage((group * 4 + column) * CardWidth, 0, picture);
    }
  }
  return strip;
}

const QString FontFolder = "/usr/share/fonts/truetype/dejavu/";

TPictureStyle ClassicPictures(std::array<QColor, 4> suitColours) {
  TPictureStyle s;
  s.SuitColours = suitColours;
  const QColor gold = s.Gold;
  s.Suits = {{
      {QColor(0x25, 0x47, 0x9A), QColor(0x1C, 0x1C, 0x1C), QColor(0xF6, 0xF1, 0xE1), suitColours[0],
       gold},
      {QColor(0x2E, 0x7D, 0x3A), QColor(0x1C, 0x1C, 0x1C), QColor(0xF3, 0xF4, 0xE2), suitColours[1],
       gold},
      {QColor(0xE2, 0x9B, 0x1E), QColor(0xB3, 0x1B, 0x1B), QColor(0xFB, 0xF0, 0xDC), suitColours[2],
       QColor(0xB3, 0x1B, 0x1B)},
      {QColor(0xC0, 0x1E, 0x2C), QColor(0x23, 0x3E, 0x8C), QColor(0xFB, 0xEC, 0xE4), suitColours[3],
       gold},
  }};
  return s;
}

int pixelScale = 1;

}  // namespace

void SetPixelScale(int scale) {
  pixelScale = scale;
}

int PixelScale() {
  return pixelScale;
}

QImage NewImage(int width, int height, const QColor& colour) {
  QImage image(width * pixelScale, height * pixelScale, QImage::Format_RGB32);
  image.setDevicePixelRatio(pixelScale);
  image.fill(colour);
  return image;
}

QString LoadFontFile(const QString& file) {
  static std::map<QString, QString> families;
  if (const auto found = families.find(file); found != families.end()) return found->second;
  const int id = QFontDatabase::addApplicationFont(FontFolder + file);
  const QStringList loaded = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
  if (loaded.isEmpty()) {
    throw TError("Cannot load font " + (FontFolder + file).toStdString() +
                 " (Debian packages fonts-dejavu-core and fonts-dejavu-extra)");
  }
  families[file] = loaded.front();
  return loaded.front();
}

std::vector<TDeckStyle> DeckStyles() {
  const QColor black(0x00, 0x00, 0x00);
  const QColor red(0xD0, 0x00, 0x0C);
  std::vector<TDeckStyle> decks;

  // "001": large, heavy corner indexes for quick reading with the suit under them, and the
  // pips in a field of their own, clear of the indexes; every mirror flag on.
  TDeckStyle large;
  large.Id = "001";
  large.IndexFontFile = "DejaVuSansCondensed-Bold.ttf";
  large.RankWidth = 18;
  large.RankHeight = 24;
  large.GlyphHeight = 19;
  large.PipWidth = 14;
  large.PipHeight = 16;
  large.PipInset = 0.5;
  large.BlackIndex = black;
  large.RedIndex = red;
  large.Pictures = ClassicPictures({black, black, red, red});
  large.Header.IndexX = 3;
  large.Header.IndexY = 3;
  large.Header.PicturePipX = 5;
  large.Header.PicturePipY = 28;
  large.Header.PipMarginX = 5;
  large.Header.PipMarginY = -9;
  large.CourtFrame = QRect(25, 4, 44, 119);
  large.AceArea = QRect(24, 20, 46, 87);
  decks.push_back(large);

  // "003": a serif deck with one index on number cards and plainer aces.
  TDeckStyle whist;
  whist.Id = "003";
  whist.IndexFontFile = "DejaVuSerif-Bold.ttf";
  whist.RankWidth = 14;
  whist.RankHeight = 20;
  whist.GlyphHeight = 14;
  whist.PipWidth = 14;
  whist.PipHeight = 16;
  whist.BlackIndex = QColor(0x14, 0x14, 0x14);
  whist.RedIndex = QColor(0xB8, 0x10, 0x1E);
  whist.Pictures =
      ClassicPictures({whist.BlackIndex, whist.BlackIndex, whist.RedIndex, whist.RedIndex});
  whist.Header.IndexX = 3;
  whist.Header.IndexY = 4;
  whist.Header.PicturePipX = 1;
  whist.Header.PicturePipY = 24;
  whist.Header.PipMarginX = 5;
  whist.Header.PipMarginY = -10;
  whist.Header.MirrorAce = false;
  whist.Header.AcePictureOnly = false;
  whist.Header.Row3Shift = 2;
  whist.Header.Row5Shift = -1;
  whist.Header.MirrorNumbers = false;
  whist.CourtFrame = QRect(19, 5, 56, 117);
  whist.AceArea = QRect(20, 24, 54, 79);
  decks.push_back(whist);

  // "011": four colours (green clubs, blue diamonds), the indexes too; kings, queens and
  // jacks with one index and one pip.
  TDeckStyle scat;
  scat.Id = "011";
  scat.IndexFontFile = "DejaVuSans-Bold.ttf";
  scat.RankWidth = 15;
  scat.RankHeight = 22;
  scat.GlyphHeight = 15;
  scat.PipWidth = 14;
  scat.PipHeight = 16;
  scat.BlackIndex = QColor(0x10, 0x10, 0x10);
  scat.RedIndex = QColor(0xC8, 0x10, 0x10);
  scat.Pictures = ClassicPictures({QColor(0x10, 0x10, 0x10), QColor(0x12, 0x8A, 0x2E),
                                   QColor(0x12, 0x4C, 0xC8), QColor(0xD0, 0x10, 0x10)});
  scat.Header.IndexX = 3;
  scat.Header.IndexY = 4;
  scat.Header.PicturePipX = 2;
  scat.Header.PicturePipY = 27;
  scat.Header.PipMarginX = 4;
  scat.Header.PipMarginY = -10;
  scat.Header.MirrorPictures = false;
  scat.Header.IndexPerSuit = 1;
  scat.Header.MirrorAce = true;
  scat.CourtFrame = QRect(21, 5, 52, 117);
  scat.AceArea = QRect(21, 22, 52, 83);
  decks.push_back(scat);

  // "012": every card of a suit shows that suit's season; the index tells the rank.
  TDeckStyle seasons;
  seasons.Id = "012";
  seasons.IndexFontFile = "DejaVuSerifCondensed-Bold.ttf";
  seasons.RankWidth = 15;
  seasons.RankHeight = 22;
  seasons.GlyphHeight = 16;
  seasons.PipWidth = 14;
  seasons.PipHeight = 16;
  seasons.BlackIndex = QColor(0x1A, 0x23, 0x3A);
  seasons.RedIndex = QColor(0xB0, 0x1C, 0x3C);
  seasons.Pictures =
      ClassicPictures({seasons.BlackIndex, seasons.BlackIndex, seasons.RedIndex, seasons.RedIndex});
  seasons.Header.IndexX = 3;
  seasons.Header.IndexY = 4;
  seasons.Header.PicturePipX = 3;
  seasons.Header.PicturePipY = 27;
  seasons.Header.PipMarginX = 2;
  seasons.Header.PipMarginY = -16;
  seasons.Header.AllPictures = 1;
  seasons.Seasons = true;
  seasons.CourtFrame = QRect(21, 5, 52, 117);
  seasons.AceArea = seasons.CourtFrame;
  decks.push_back(seasons);

  return decks;
}

TDeckImages DrawDeck(const TDeckStyle& style) {
  TDeckImages deck;
  deck.Header = style.Header;
  for (int32_t* offset :
       {&deck.Header.IndexX, &deck.Header.IndexY, &deck.Header.PicturePipX,
        &deck.Header.PicturePipY, &deck.Header.PipMarginX, &deck.Header.PipMarginY,
        &deck.Header.Row3Shift, &deck.Header.Row5Shift}) {
    *offset *= pixelScale;
  }
  deck.RankStrip = DrawRankStrip(style);
  deck.PipStrip = DrawPipStrip(style);
  deck.PictureStrip = DrawPictureStrip(style);
  return deck;
}

}  // namespace tavrik::art
