#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/data_files.h"
#include "core/error.h"
#include "support/temp_folder.h"
#include "ui/cards/builtin_images.h"
#include "ui/cards/deck_file.h"
#include "ui/dialogs/back_dialog.h"
#include "ui/dialogs/deck_dialog.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {
namespace {

namespace fs = std::filesystem;
const fs::path Generated = TAVRIK_TEST_DATA_DIR;

QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines.append(list->item(i)->text());
  return lines;
}

// The preview image i shows the card the paint engine draws for deck `id`.
bool ShowsDeck(const TfmDeckDialog& dialog, const QString& id) {
  TPaintEngine engine(Generated);
  engine.SetDeck(id);
  for (int i = 0; i < TfmDeckDialog::PreviewCount; ++i) {
    const QLabel* image = dialog.Images[static_cast<size_t>(i)];
    if (image->isHidden() || image->pixmap().toImage().convertToFormat(QImage::Format_RGB32) !=
                                 engine.CardImage(false, false, i / 5, i % 5 + 8)) {
      return false;
    }
  }
  return true;
}

TEST(DeckDialog, ListsTheGeneratedDecksByName) {
  TBuiltInTexts texts;
  TfmDeckDialog dialog(texts, Generated);
  dialog.ApplyTexts();
  EXPECT_EQ(dialog.DeckIds(), QStringList({"001", "003", "011", "012"}));
  EXPECT_EQ(Lines(dialog.lbDecks), QStringList({" LARGE", " WHIST", " SCAT", " SEASONS"}));

  // The deck set (empty: a click on the line after the first), the line current then, the
  // deck chosen and previewed, its name. An identifier not listed selects the first line.
  const std::tuple<const char*, int, const char*, const char*> steps[] = {
      {"011", 2, "011", "SCAT"}, {"", 1, "003", "WHIST"}, {"777", 0, "001", "LARGE"}};
  for (const auto& [set, row, chosen, name] : steps) {
    const QRect line = dialog.lbDecks->visualItemRect(dialog.lbDecks->item(1));
    if (*set != 0) {
      dialog.SetCurrent(set);
    } else {
      QTest::mouseClick(dialog.lbDecks->viewport(), Qt::LeftButton, {}, line.center());
    }
    EXPECT_EQ(dialog.lbDecks->currentRow(), row) << chosen;
    EXPECT_EQ(dialog.ChosenId(), chosen);
    EXPECT_EQ(dialog.lHeader->text(), name);
    EXPECT_TRUE(ShowsDeck(dialog, chosen)) << chosen;
  }
}

TEST(DeckDialog, UnnamedStrayAndMissingDecks) {
  TempFolder folder;
  const fs::path& path = folder.Path();
  for (const char* name : {"deck.001", "deck.011"}) fs::copy_file(Generated / name, path / name);
  for (const char* name : {"deck.099", "deck.555"}) {
    fs::copy_file(Generated / "deck.001", path / name);
  }
  fs::create_directory(path / "deck.dir");
  for (const char* name : {"deck.1", "deck.backup", "deck.001.bak", "notes.txt"}) {
    WriteFileAtomically(path / name, "x");
  }
  TBuiltInTexts texts;
  TfmDeckDialog dialog(texts, path);
  dialog.ApplyTexts();
  EXPECT_EQ(dialog.DeckIds(), QStringList({"001", "011", "099", "555"}));
  EXPECT_EQ(Lines(dialog.lbDecks), QStringList({" LARGE", " SCAT", " ", " "}));

  dialog.SetCurrent("099");
  EXPECT_EQ(dialog.ChosenId(), "099");
  EXPECT_EQ(dialog.lHeader->text(), "");
  EXPECT_TRUE(ShowsDeck(dialog, "001")) << "deck.099 is a copy of the default deck";

  // A deck whose file went away previews the default deck but stays the choice.
  fs::remove(path / "deck.555");
  dialog.SetCurrent("555");
  EXPECT_EQ(dialog.ChosenId(), "555");
  EXPECT_TRUE(ShowsDeck(dialog, "001"));

  // Without the default deck there is nothing to preview.
  fs::remove(path / "deck.001");
  dialog.SetCurrent("555");
  for (const QLabel* image : dialog.Images) EXPECT_TRUE(image->isHidden());
}

TEST(DeckDialog, PreviewPlacement) {
  // Preview index, panel size, position: x = round((PW - 104) * column / 4) + 5, y = round((PH -
  // 137) * row / 2) + 5, halves to the even neighbour.
  const std::tuple<int, QSize, QPoint> cases[] = {
      {0, {500, 406}, {5, 5}},     {4, {500, 406}, {401, 5}}, {14, {500, 406}, {401, 274}},
      {7, {500, 406}, {203, 139}}, {1, {106, 140}, {5, 5}},   {3, {106, 140}, {7, 5}},
      {6, {106, 140}, {5, 7}},
  };
  for (const auto& [index, panel, expected] : cases) {
    EXPECT_EQ(TfmDeckDialog::PreviewPosition(index, panel), expected) << index;
  }
  TBuiltInTexts texts;
  TfmDeckDialog dialog(texts, Generated);
  dialog.show();
  QApplication::processEvents();
  ASSERT_GT(dialog.ImagesPanel->width(), 480);
  for (int i = 0; i < TfmDeckDialog::PreviewCount; ++i) {
    EXPECT_EQ(dialog.Images[static_cast<size_t>(i)]->pos(),
              TfmDeckDialog::PreviewPosition(i, dialog.ImagesPanel->size()));
  }
}

TEST(BackDialog, FifteenBacksAndTheFocusFrame) {
  TBuiltInTexts texts;
  TfmBackDialog dialog(texts, Generated);
  dialog.ApplyTexts();
  const QImage face = LoadCompressedImage("EMPTY");
  const QImage strip = ReadBackStrip(Generated / "back.001");
  for (int i = 0; i < TfmBackDialog::BackCount; ++i) {
    const QLabel* image = dialog.Images[static_cast<size_t>(i)];
    EXPECT_EQ(image->geometry(), QRect(104 * (i % 5) + 10, 137 * (i / 5) + 10, 94, 127));
    const QImage shown = image->pixmap().toImage();
    EXPECT_EQ(shown.pixel(47, 63), face.pixel(47, 63) & strip.pixel(i * 94 + 47, 63)) << i;
    EXPECT_EQ(shown.pixel(0, 63), face.pixel(0, 63)) << "the face's edge stays";
  }
  EXPECT_EQ(dialog.Selected(), 0);
  EXPECT_EQ(dialog.FocusBevel->geometry(), QRect(5, 5, 104, 137));
  QTest::mouseClick(dialog.Images[7], Qt::LeftButton);
  EXPECT_EQ(dialog.Selected(), 7);
  EXPECT_EQ(dialog.FocusBevel->geometry(), dialog.Images[7]->geometry().adjusted(-5, -5, 5, 5));
  dialog.SelectBack(15);
  EXPECT_EQ(dialog.Selected(), 7) << "no such back";
}

// Both dialogs return the choice on OK only; without their files there is nothing to choose.
TEST(DeckAndBackDialogs, ReturnTheChoiceOnOkOnly) {
  TBuiltInTexts texts;
  for (const bool ok : {true, false}) {
    auto deck = test::AnswerNextDialog<TfmDeckDialog>([ok](TfmDeckDialog* dialog) {
      QTest::mouseClick(ok ? dialog->btnOK : dialog->btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(SelectDeck("012", texts, nullptr, Generated), ok ? "012" : "");
    auto back = test::AnswerNextDialog<TfmBackDialog>([ok](TfmBackDialog* dialog) {
      EXPECT_EQ(dialog->Selected(), 4);
      QTest::mouseClick(dialog->Images[11], Qt::LeftButton);
      QTest::mouseClick(ok ? dialog->btnOK : dialog->btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(SelectBack(4, texts, nullptr, Generated), ok ? 11 : -1);
  }
  TempFolder empty;
  auto deck = test::AnswerNextDialog<TfmDeckDialog>(
      [](TfmDeckDialog* dialog) { QTest::mouseClick(dialog->btnOK, Qt::LeftButton); });
  EXPECT_EQ(SelectDeck("001", texts, nullptr, empty.Path()), "");
  EXPECT_THROW(SelectBack(0, texts, nullptr, empty.Path()), TError);
}

}  // namespace
}  // namespace tavrik
