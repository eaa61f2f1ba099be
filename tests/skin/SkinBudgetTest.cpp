// What a skin may cost. Every bound at both ends: a skin just under it loads,
// one just over it is refused whole, once, with the refusal message, and the
// elements in use keep the skin they held. The hostile skins are packed here
// with the skin packer's library, their images as blank 1-bit bitmaps.
#include <gtest/gtest.h>

#include "skin/core/QuickIni.h"
#include "skin/core/SkinBudget.h"
#include "skin/core/SkinElements.h"
#include "skin/core/SkinReader.h"
#include "tests/support/TestSupport.h"
#include "tools/skinpack/BlankBitmap.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinArchive.h"

namespace {

using namespace skin;

const QString kRefused = QStringLiteral("This is Older Skin File\rPlease update to new version !");

struct Bitmap {
  QByteArray name;
  int width, height;
};

QByteArray SkinFile(const QByteArray& ini, const QList<Bitmap>& bitmaps = {}) {
  QList<skinpack::Entry> entries{{"skin.ini", ini}};
  for (const Bitmap& b : bitmaps) entries.append({b.name, skinpack::BlankBitmap(b.width, b.height)});
  return skinpack::LzhEncodeFile(skinpack::BuildArchive(entries));
}

// `count` sections, the first `buttons` of them caption buttons.
QByteArray Sections(int count, int buttons = 0, const QByteArray& buttonKeys = "Action=0\r\n") {
  QByteArray ini = "[TitlebarSkin]\r\nSkinName=many\r\n";
  for (int i = 1; i < count; ++i)
    ini += i <= buttons ? "[Button" + QByteArray::number(i) + "]\r\n" + buttonKeys
                        : "[Part" + QByteArray::number(i) + "]\r\nKey=" + QByteArray::number(i) + "\r\n";
  return ini;
}

// An INI of exactly `bytes` bytes: the skin's name, then comment lines.
QByteArray IniOfSize(qsizetype bytes) {
  QByteArray ini = "[TitlebarSkin]\r\nSkinName=sized\r\n";
  while (ini.size() + 66 <= bytes) ini += ';' + QByteArray(63, 'x') + "\r\n";
  ini += ';' + QByteArray(bytes - ini.size() - 1, 'x');
  return ini;
}

struct Case {
  const char* what;
  QByteArray file;
  bool loads;
  QString skinName = QString();  // of a skin that loads
};

// Each case loads over a first skin, which a refused case must leave in place.
void LoadOverFirstSkin(const Case& c) {
  SCOPED_TRACE(c.what);
  TSkinElements e;
  {
    testing_support::DialogScript quiet;
    ASSERT_TRUE(LoadSkinElements(SkinFile("[TitlebarSkin]\r\nSkinName=first\r\n[Personality]\r\nLeft=l.bmp\r\n",
                                          {{"l.bmp", 6, 20}}),
                                 e));
  }
  testing_support::DialogScript dialogs;
  EXPECT_EQ(LoadSkinElements(c.file, e), c.loads);
  if (c.loads) {
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_FALSE(e.NotLoaded);
    EXPECT_EQ(e.SkinName, c.skinName);
  } else {
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown[0].text, kRefused);
    EXPECT_TRUE(e.NotLoaded);
    EXPECT_EQ(e.SkinName, QStringLiteral("first"));
    EXPECT_EQ(e.FrameLeft.Image.size(), QSize(6, 20));
  }
}

TEST(SkinBudget, TheBoundsAreTheDocumentedOnes) {
  EXPECT_EQ(budget::kMaxImagePixels, 16 * 1024 * 1024);
  EXPECT_EQ(budget::kMaxSkinPixels, 64 * 1024 * 1024);
  EXPECT_EQ(budget::kMaxCaptionButtons, 64);
  EXPECT_EQ(budget::kMaxSections, 16384);
  EXPECT_EQ(budget::kMaxIniBytes, 1024 * 1024);
}

// One image: 16 Mi pixels, square or lopsided; a single pixel more is refused.
TEST(SkinBudget, OneImageAtMost16MiPixels) {
  const QByteArray left = "[TitlebarSkin]\r\nSkinName=big\r\n[Personality]\r\nLeft=big.bmp\r\n";
  const Case cases[] = {
      {"4096 x 4096", SkinFile(left, {{"big.bmp", 4096, 4096}}), true, QStringLiteral("big")},
      {"16777216 x 1", SkinFile(left, {{"big.bmp", 16777216, 1}}), true, QStringLiteral("big")},
      {"32 x 524288", SkinFile(left, {{"big.bmp", 32, 524288}}), true, QStringLiteral("big")},
      {"24929 x 673, one pixel over", SkinFile(left, {{"big.bmp", 24929, 673}}), false},
      {"32 x 524289", SkinFile(left, {{"big.bmp", 32, 524289}}), false},
      {"4097 x 4096", SkinFile(left, {{"big.bmp", 4097, 4096}}), false},
  };
  for (const Case& c : cases) LoadOverFirstSkin(c);
}

// Sixteen caption buttons naming one bitmap decode it once and share it: 16 Mi
// pixels in all, not 256 Mi. The same skin with an 8192 x 8192 bitmap is refused.
TEST(SkinBudget, AnEntryNamedByManyKeysIsDecodedOnceAndCountedOnce) {
  QByteArray ini = Sections(17, 16, "Action=0\r\nButtonImage=one.bmp\r\n");
  ini += "[Personality]\r\nLeft=ONE.bmp\r\nRight=c:\\skins\\one.bmp\r\n";
  TSkinElements e;
  testing_support::DialogScript dialogs;
  ASSERT_TRUE(LoadSkinElements(SkinFile(ini, {{"one.bmp", 4096, 4096}}), e));
  EXPECT_TRUE(dialogs->shown.isEmpty());
  ASSERT_EQ(e.SysButtons.size(), 16u + 3u);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(e.SysButtons[i]->Image.size(), QSize(4096, 4096));
    EXPECT_EQ(e.SysButtons[i]->Image.constBits(), e.FrameLeft.Image.constBits()) << i;
  }
  EXPECT_EQ(e.FrameRight.Image.constBits(), e.FrameLeft.Image.constBits());

  LoadOverFirstSkin({"8192 x 8192 named by 16 caption buttons", SkinFile(ini, {{"one.bmp", 8192, 8192}}), false});

  // The reader's own count: every name of one entry, one decode.
  TSkinReader reader;
  ASSERT_TRUE(reader.OpenArchive(skinpack::BuildArchive(
      {{"a.bmp", skinpack::BlankBitmap(3, 5)}, {"b.bmp", skinpack::BlankBitmap(7, 2)}, {"c.bmp", "not a bitmap"}})));
  TSkinImages images(reader);
  for (const char* value : {"a.bmp", "A.bmp", "x\\a.bmp", "b.bmp", "a.bmp", "c.bmp", "c.bmp", "none.bmp", "a.BMP"})
    images.Read(QString::fromLatin1(value));
  EXPECT_EQ(images.Decoded(), 2);
  EXPECT_EQ(images.Pixels(), 3 * 5 + 7 * 2);
}

// The whole skin: 64 Mi pixels, the copies mirrored or cut from its images counted
// as well as the entries decoded.
TEST(SkinBudget, OneSkinAtMost64MiPixels) {
  const QByteArray four =
      "[TitlebarSkin]\r\nSkinName=four\r\n[Personality]\r\nLeft=1.bmp\r\nRight=2.bmp\r\nTop=3.bmp\r\nBottom=4.bmp\r\n";
  const QList<Bitmap> bitmaps{{"1.bmp", 4096, 4096}, {"2.bmp", 4096, 4096}, {"3.bmp", 4096, 4096}, {"4.bmp", 4096, 4096}};
  // The combo button's mirrored copy of a 4096 x 4096 entry costs 16 Mi more.
  const QByteArray threeAndAMirror =
      "[TitlebarSkin]\r\nSkinName=mirror\r\n[Personality]\r\nLeft=1.bmp\r\nRight=2.bmp\r\nTop=3.bmp\r\n"
      "[ComboButton]\r\nImage=3.bmp\r\n";
  // The three MDI buttons are cut from twelve cells of 349,525 x 2 (8 columns
  // spare): 8,388,616 pixels decoded and 8,388,600 cut, 16 Mi together.
  const QByteArray threeAndMdi =
      "[TitlebarSkin]\r\nSkinName=mdi\r\n[Personality]\r\nLeft=1.bmp\r\nRight=2.bmp\r\nTop=3.bmp\r\n"
      "[MDICONTROLS]\r\nImage=mdi.bmp\r\n";
  const QList<Bitmap> mdiBitmaps = bitmaps.mid(0, 3) + QList<Bitmap>{{"mdi.bmp", 12 * 349525 + 8, 2}};
  const Case cases[] = {
      {"four 4096 x 4096 entries", SkinFile(four, bitmaps), true, QStringLiteral("four")},
      {"four entries and one pixel", SkinFile(four + "[Buttons]\r\nBitmap=5.bmp\r\n", bitmaps + QList<Bitmap>{{"5.bmp", 1, 1}}),
       false},
      {"three entries and a mirrored copy", SkinFile(threeAndAMirror, bitmaps.mid(0, 3)), true, QStringLiteral("mirror")},
      {"four entries and a mirrored copy", SkinFile(threeAndAMirror + "[Buttons]\r\nBitmap=4.bmp\r\n", bitmaps), false},
      {"three entries and the MDI buttons' cuts", SkinFile(threeAndMdi, mdiBitmaps), true, QStringLiteral("mdi")},
      {"three entries, the MDI buttons' cuts and one pixel",
       SkinFile(threeAndMdi + "[Buttons]\r\nBitmap=5.bmp\r\n", mdiBitmaps + QList<Bitmap>{{"5.bmp", 1, 1}}), false},
  };
  for (const Case& c : cases) LoadOverFirstSkin(c);
}

// Caption buttons: 64 sections; sections that are no caption button (Action
// -1 with a Visibility other than 0) do not count.
TEST(SkinBudget, AtMost64CaptionButtons) {
  QByteArray hidden;
  for (int i = 0; i < 30; ++i) hidden += "[ButtonHidden" + QByteArray::number(i) + "]\r\nAction=-1\r\n";
  const Case cases[] = {
      {"64 buttons", SkinFile(Sections(65, 64)), true, QStringLiteral("many")},
      {"64 buttons and 30 that are none", SkinFile(Sections(65, 64) + hidden), true, QStringLiteral("many")},
      {"65 buttons", SkinFile(Sections(66, 65)), false},
      {"1000 buttons", SkinFile(Sections(1001, 1000)), false},
  };
  for (const Case& c : cases) LoadOverFirstSkin(c);
  TSkinElements e;
  ASSERT_TRUE(LoadSkinElements(SkinFile(Sections(65, 64)), e));
  EXPECT_EQ(e.SysButtons.size(), 64u + 3u);
}

TEST(SkinBudget, AtMost16384SectionsAnd1MiBOfIni) {
  const Case cases[] = {
      {"16384 sections", SkinFile(Sections(16384)), true, QStringLiteral("many")},
      {"16385 sections", SkinFile(Sections(16385)), false},
      {"an INI of 1 MiB", SkinFile(IniOfSize(1024 * 1024)), true, QStringLiteral("sized")},
      {"an INI of 1 MiB and a byte", SkinFile(IniOfSize(1024 * 1024 + 1)), false},
  };
  ASSERT_EQ(IniOfSize(1024 * 1024).size(), 1024 * 1024);
  for (const Case& c : cases) LoadOverFirstSkin(c);
  // 8,000 sections, a key in the last one found like one in the first.
  TQuickIni ini;
  ini.LoadFromStream(Sections(8000));
  EXPECT_EQ(ini.SectionCount(), 8000);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("part7999"), QStringLiteral("KEY"), 0), 7999);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("PART1"), QStringLiteral("key"), 0), 1);
}

// Margins are clamped to their image when read (negative ones to 0), places
// and shifts to window coordinates: no sum of them can pass an int.
TEST(SkinBudget, MarginsAreClampedToTheirImageWhenRead) {
  const QByteArray ini =
      "[Personality]\r\nLeft=l.bmp\r\nLeftTopHeight=2147483647\r\nLeftBotHeight=$80000000\r\n"
      "Top=t.bmp\r\nTopTopHeight=7\r\nTopBotHeight=0x7FFFFFFF\r\n"
      "TextBack=title.bmp\r\nTXTBackleft=99999\r\nTXTBackRight=-1\r\nTextShift=2147483647\r\nTextShiftVert=-2147483648\r\n"
      "TextRightClip=32768\r\nmenuBar=bar.bmp\r\nTileLeftMenu=-7\r\nTileRightMenu=3\r\n"
      "[Buttons]\r\nBitmap=b.bmp\r\nLeftWidth=2147483647\r\nTopHeight=$80000000\r\nRightWidth=9\r\nBottomHeight=6\r\n"
      "[SunkEdge]\r\nImage=missing.bmp\r\nLeftWidth=5\r\nRightWidth=2147483647\r\n"
      "[Button.Close]\r\nAction=0\r\nXcoord=-2147483648\r\nYcoord=32767\r\n"
      "[GroupBox]\r\nImage=b.bmp\r\nBackgroundLeftShift=-32768\r\nBackgroundRightShift=40000\r\n";
  TSkinElements e;
  ASSERT_TRUE(LoadSkinElements(SkinFile(ini, {{"l.bmp", 8, 30}, {"t.bmp", 40, 11}, {"title.bmp", 13, 5},
                                              {"bar.bmp", 21, 4}, {"b.bmp", 25, 7}}),
                               e));
  struct Expect {
    const char* what;
    TSkinMargins got, want;
  };
  const Expect expects[] = {
      {"left border", e.FrameLeft.Margins, {0, 30, 0, 0}},
      {"top border", e.FrameTop.Margins, {7, 0, 40, 0}},
      {"push button", e.Buttons.Margins, {25, 0, 9, 6}},
      {"menu bar", e.MenuBar->Margins, {0, 0, 3, 0}},
      {"an element without its image", e.SunkEdge->Margins, {0, 0, 0, 0}},
      {"caption text shifts", e.Title.Margins, {32767, -32767, 32767, 0}},
  };
  for (const Expect& x : expects) {
    EXPECT_EQ(x.got.Left, x.want.Left) << x.what;
    EXPECT_EQ(x.got.Top, x.want.Top) << x.what;
    EXPECT_EQ(x.got.Right, x.want.Right) << x.what;
    EXPECT_EQ(x.got.Bottom, x.want.Bottom) << x.what;
  }
  EXPECT_EQ(e.Title.TXTBackleft, 13);
  EXPECT_EQ(e.Title.TXTBackRight, 0);
  ASSERT_FALSE(e.SysButtons.empty());
  EXPECT_EQ(e.SysButtons[0]->Xcoord, -32767);
  EXPECT_EQ(e.SysButtons[0]->Ycoord, 32767);
  EXPECT_EQ(e.GroupBox->BackgroundLeftShift, -32767);
  EXPECT_EQ(e.GroupBox->BackgroundRightShift, 32767);
}

}  // namespace
