// Reading skin elements from INI text and images.
#include <gtest/gtest.h>

#include "skin/core/QuickIni.h"
#include "skin/core/SkinElements.h"
#include "skin/core/SkinReader.h"
#include "tests/skin/SkinTestData.h"
#include "tests/support/TestSupport.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

using namespace skin;
using platform::RGB;
using skintest::Coord;
using skintest::Pattern;
using skintest::Solid;

struct Loaded {
  TSkinReader reader;
  TQuickIni ini;
  TSkinElements e;
};

std::unique_ptr<Loaded> Read(const QString& iniText, const QList<std::pair<QString, QImage>>& images = {}) {
  auto l = std::make_unique<Loaded>();
  EXPECT_TRUE(l->reader.OpenArchive(skintest::Archive(iniText, images)));
  QByteArray bytes;
  QString name;
  l->reader.FindEntryContaining(QStringLiteral(".ini"), bytes, name);
  l->ini.LoadFromStream(bytes);
  ReadSkinElements(l->ini, l->reader, l->e);
  return l;
}

const TDataSkinSysButton* Button(const TSkinElements& e, const QString& name) {
  for (const auto& b : e.SysButtons)
    if (b->Name == name) return b.get();
  return nullptr;
}

TEST(SkinElements, ColourParsing) {
  const platform::TColor def = RGB(1, 2, 3);
  const std::pair<const char*, platform::TColor> cases[] = {
      {"213 222 242", RGB(213, 222, 242)},
      {"10 20", RGB(10, 0, 0)},
      {"10,20,30,", RGB(10, 20, 30)},
      {"1 2 3 4 5", RGB(1, 2, 3)},
      {"rgb(4;5;6)", RGB(4, 5, 6)},
      {"300 256 511", RGB(44, 0, 255)},
      {"7", RGB(0, 0, 0)},
      {"", def},
      {"none", RGB(0, 0, 0)},
      // The characters either side of the digits separate like any other.
      {"1/2/3", RGB(1, 2, 3)},
      {"7:8:9", RGB(7, 8, 9)},
      {"9 0 90", RGB(9, 0, 90)},
      // Two separators in a row are one.
      {"10, 20, 35", RGB(10, 20, 35)},
  };
  for (const auto& [text, colour] : cases) EXPECT_EQ(ParseSkinColour(QString::fromLatin1(text), def), colour) << text;
}

// Below 16 rows a frame is 13 pixels wide, from 16 rows on 16; never fewer than 4 frames.
TEST(SkinElements, ToggleFrameCounts) {
  struct Case {
    int width, height, frames;
  };
  const Case cases[] = {{65, 13, 5}, {77, 12, 5}, {96, 15, 7}, {51, 13, 4}, {12, 1, 4},
                        {96, 16, 6}, {80, 16, 5}, {79, 16, 4}, {208, 40, 13}};
  for (const Case& c : cases)
    EXPECT_EQ(DeriveToggleFrameCount(Solid(c.width, c.height, 0)), c.frames) << c.width << " x " << c.height;
}

TEST(SkinElements, ColoursAndTheirDefaults) {
  auto l = Read("[Colours]\nButtonFace=10 20 30\nHilight = 1,2,3,\nTitleTextActive=9 9\nHilightText=4 5 7\n");
  const TSkinColours& c = l->e.Colours;
  EXPECT_EQ(c.ButtonFace, RGB(10, 20, 30));
  EXPECT_EQ(c.Menubar, RGB(10, 20, 30));  // follows ButtonFace when absent
  EXPECT_EQ(c.Hilight, RGB(1, 2, 3));
  EXPECT_EQ(c.HilightText, RGB(4, 5, 7));
  EXPECT_EQ(c.TitleTextActive, RGB(9, 0, 0));
  EXPECT_EQ(c.WindowText, platform::SysColor(platform::COLOR_WINDOWTEXT));
  EXPECT_EQ(c.Buttonlight, platform::SysColor(platform::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.ButtonDkShadow, platform::SysColor(platform::COLOR_3DDKSHADOW));
  EXPECT_EQ(c.TitleTextNoActive, platform::SysColor(platform::COLOR_INACTIVECAPTIONTEXT));
  EXPECT_EQ(l->e.ButtonFaceBrush.color(), QColor(10, 20, 30));
  EXPECT_FALSE(l->e.NotLoaded);
}

TEST(SkinElements, CaptionButtonsFramesAndSelection) {
  auto l = Read(
      "[Button.A]\nAction=0\nButtonImage=b60.bmp\n"
      "[Button.B]\nAction=1\nButtonImage=b120.bmp\nAlign=1\nXcoord=40\n"
      "[Button.Hidden]\nAction=-1\nButtonImage=b60.bmp\n"
      "[Button.Shown]\nAction=-1\nVisibility=0\nButtonImage=b60.bmp\n"
      "[Button.Icon]\nAction=3\nButtonImage=b60.bmp\n"
      "[Button.Counted]\nAction=2\nframe=4\nButtonImage=b60.bmp\n"
      "[Button.NoImage]\nAction=2\n"
      "[Button.NoAction]\nButtonImage=b60.bmp\nPressedColour2=7 8 9\n"
      "[Buttons]\nBitmap=x.bmp\n[BUTTON]\nAction=0\n[Button.Radio]\n[button.checkbox]\n[Buttonish]\nAction=5\n",
      {{"b60.bmp", Solid(60, 18, qRgb(1, 2, 3))}, {"b120.bmp", Solid(120, 18, qRgb(1, 2, 3))}});
  const TSkinElements& e = l->e;
  QStringList names;
  for (const auto& b : e.SysButtons) names << b->Name;
  EXPECT_EQ(names, (QStringList{"BUTTON.A", "BUTTON.B", "BUTTON.SHOWN", "BUTTON.ICON", "BUTTON.COUNTED",
                                "BUTTON.NOIMAGE", "BUTTON.NOACTION", "BUTTONISH", "MDICONTROLS", "MDICONTROLS",
                                "MDICONTROLS"}));
  EXPECT_EQ(Button(e, "BUTTON.A")->FrameCount, 3);   // 60 / 18 = 3.33
  EXPECT_EQ(Button(e, "BUTTON.B")->FrameCount, 6);   // 120 / 18 = 6.67
  EXPECT_EQ(Button(e, "BUTTON.B")->Align, 1);
  EXPECT_EQ(Button(e, "BUTTON.B")->Xcoord, 40);
  EXPECT_EQ(Button(e, "BUTTON.B")->CombineOp, -1);
  const TDataSkinSysButton* shown = Button(e, "BUTTON.SHOWN");
  EXPECT_EQ(shown->FrameCount, 6);  // negative actions always get 6
  EXPECT_EQ(shown->Visibility1, -1);
  EXPECT_EQ(Button(e, "BUTTON.A")->Visibility1, 0);
  EXPECT_TRUE(Button(e, "BUTTON.ICON")->Image.isNull());
  EXPECT_EQ(Button(e, "BUTTON.ICON")->FrameCount, 3);
  EXPECT_EQ(Button(e, "BUTTON.COUNTED")->FrameCount, 4);
  EXPECT_EQ(Button(e, "BUTTON.NOIMAGE")->FrameCount, 6);
  EXPECT_EQ(Button(e, "BUTTON.NOACTION")->Action, 0);
  EXPECT_EQ(Button(e, "BUTTON.NOACTION")->PressedColour2, RGB(7, 8, 9));
  // Without [MDICONTROLS] the three MDI buttons exist with empty images.
  for (int k = 0; k < 3; ++k) {
    const TDataSkinSysButton& b = *e.SysButtons[e.SysButtons.size() - 3 + k];
    EXPECT_EQ(b.Action, 7 + k);
    EXPECT_EQ(b.Align, 100);
    EXPECT_EQ(b.Visibility, 100);
    EXPECT_EQ(b.Visibility1, 100);
    EXPECT_EQ(b.FrameCount, 4);
    EXPECT_TRUE(b.Image.isNull());
  }
}

TEST(SkinElements, MdiControlsAreCutFromTwelveCells) {
  // 12 cells of 10 pixels (plus 5 spare columns, dropped by the division).
  auto l = Read("[MDICONTROLS]\nImage=mdi.bmp\n[Colours]\nButtonText=50 61 72\n",
                {{"mdi.bmp", Pattern(125, 8, Coord)}});
  const auto& buttons = l->e.SysButtons;
  ASSERT_EQ(buttons.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    const TDataSkinSysButton& b = *buttons[k];
    // Their state colours are the skin's button text.
    EXPECT_EQ(b.NormalColour2, RGB(50, 61, 72)) << k;
    EXPECT_EQ(b.MouseOverColour2, RGB(50, 61, 72)) << k;
    EXPECT_EQ(b.PressedColour2, RGB(50, 61, 72)) << k;
    ASSERT_EQ(b.Image.size(), QSize(40, 8)) << k;
    EXPECT_EQ(b.Image.pixel(0, 0), Coord(40 * k, 0));
    EXPECT_EQ(b.Image.pixel(39, 7), Coord(40 * k + 39, 7));
    EXPECT_EQ(b.Xcoord, 14 * (3 - k));
  }
}

TEST(SkinElements, MdiControlsTakeTheirPlacesFromTheCellWidthEvenWhenItIsZero) {
  struct Case {
    int imageWidth;
    int cell;  // image width / 12
  };
  const Case cases[] = {{11, 0}, {1, 0}, {12, 1}, {23, 1}, {24, 2}, {125, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.imageWidth);
    auto l = Read("[MDICONTROLS]\nImage=mdi.bmp\n", {{"mdi.bmp", Pattern(c.imageWidth, 8, Coord)}});
    const auto& buttons = l->e.SysButtons;
    ASSERT_EQ(buttons.size(), 3u);
    for (int k = 0; k < 3; ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(buttons[k]->Xcoord, (c.cell + 4) * (3 - k));
      EXPECT_EQ(buttons[k]->Image.width(), 4 * c.cell);
      EXPECT_EQ(buttons[k]->Image.isNull(), c.cell == 0);
    }
  }
  // A section whose image is not in the archive gives no image and no places.
  auto missing = Read("[MDICONTROLS]\nImage=gone.bmp\n");
  for (const auto& b : missing->e.SysButtons) {
    EXPECT_EQ(b->Xcoord, 0);
    EXPECT_TRUE(b->Image.isNull());
  }
}

TEST(SkinElements, RadioAndCheckFrameCounts) {
  auto small = Read("[Buttons]\nRadioButton=r.bmp\nCheckButton=c.bmp\n",
                    {{"r.bmp", Solid(52, 13, 0)}, {"c.bmp", Solid(48, 16, 0)}});
  EXPECT_EQ(small->e.Buttons.RadioButtonFrame, 4);
  EXPECT_EQ(small->e.Buttons.CheckButtonFrame, 4);  // 48 / 16 = 3, raised to 4
  auto big = Read("[Buttons]\nRadioButton=r.bmp\nCheckButton=c.bmp\nCheckButtonFrame=3\n",
                  {{"r.bmp", Solid(192, 16, 0)}, {"c.bmp", Solid(39, 13, 0)}});
  EXPECT_EQ(big->e.Buttons.RadioButtonFrame, 12);
  EXPECT_EQ(big->e.Buttons.CheckButtonFrame, 3);
  auto none = Read("[Buttons]\n");
  EXPECT_EQ(none->e.Buttons.RadioButtonFrame, 4);
  EXPECT_EQ(none->e.Buttons.FrameCount, 5);
}

TEST(SkinElements, PushButtonKeys) {
  auto l = Read(
      "[Buttons]\nBitmap=b.bmp\nLeftWidth=3\nRightWidth=4\nTopHeight=5\nBottomHeight=6\nTrans=1\nTile=7\n"
      "MouseOverColour2=1 2 3\n[Colours]\nButtonText=50 60 70\n",
      {{"b.bmp", Solid(50, 10, 0)}});
  const TDataSkinButton& b = l->e.Buttons;
  EXPECT_EQ(b.Margins, (TSkinMargins{3, 5, 4, 6}));
  EXPECT_EQ(b.Trans, 1);
  EXPECT_EQ(b.Tile, 7);  // not clamped for push buttons
  EXPECT_FALSE(b.HasNormalColour2);
  EXPECT_TRUE(b.HasMouseOverColour2);
  EXPECT_EQ(b.MouseOverColour2, RGB(1, 2, 3));
  EXPECT_EQ(b.NormalColour2, RGB(50, 60, 70));
}

TEST(SkinElements, FrameBordersAndTitle) {
  auto l = Read(
      "[Personality]\nLeft=l.bmp\nLeftTopHeight=20\nLeftBotHeight=5\nTop=t.bmp\nTopTopHeight=7\nTopBotHeight=8\n"
      "TopFrame=2\nTopStretch=0\nRightTrans=0\nTextBack=tb.bmp\nTextShift=26\nTextShiftVert=2\nTextRightClip=70\n"
      "TextAlignment=1\nTXTBackleft=9\nTXTBackRight=10\n",
      {{"l.bmp", Solid(8, 40, 0)}, {"t.bmp", Solid(40, 48, 0)}, {"tb.bmp", Solid(30, 48, 0)}});
  const TSkinElements& e = l->e;
  EXPECT_EQ(e.FrameLeft.Name, QStringLiteral("Left"));
  EXPECT_EQ(e.FrameRight.Name, QStringLiteral("Right"));
  EXPECT_EQ(e.FrameTop.Name, QStringLiteral("Top"));
  EXPECT_EQ(e.FrameBottom.Name, QStringLiteral("Bottom"));
  EXPECT_EQ(e.FrameLeft.Margins, (TSkinMargins{0, 20, 0, 5}));
  EXPECT_EQ(e.FrameTop.Margins, (TSkinMargins{7, 0, 8, 0}));
  EXPECT_EQ(e.FrameTop.FrameCount, 2);
  EXPECT_EQ(e.FrameTop.Tile, 0);
  EXPECT_EQ(e.FrameLeft.FrameCount, 1);
  EXPECT_EQ(e.FrameLeft.Tile, 1);
  EXPECT_EQ(e.FrameLeft.Trans, 1);
  EXPECT_EQ(e.FrameRight.Trans, 0);
  EXPECT_TRUE(e.FrameRight.Image.isNull());
  EXPECT_EQ(e.Title.Margins, (TSkinMargins{26, 2, 70, 0}));
  EXPECT_EQ(e.Title.TextAlignment, 1);
  EXPECT_EQ(e.Title.TXTBackleft, 9);
  EXPECT_EQ(e.Title.TXTBackRight, 10);
  EXPECT_EQ(e.Title.FrameCount, 2);
  EXPECT_FALSE(e.Title.Image.isNull());
}

TEST(SkinElements, GenericElementsNamesCountsAndTiles) {
  auto l = Read(
      "[ToolBars]\nImage=x.bmp\nTile=2\n[Tabs]\nImage=x.bmp\nBorder=y.bmp\nTile=1\n"
      "[HorzScrollThumb]\nImage=x.bmp\nFrameCount=7\n[VertScrollThumb]\nImage=x.bmp\n"
      "[UpDown.Vert]\nImage=x.bmp\nGlyphImage=y.bmp\n[Scrollbar]\nImage=x.bmp\n[GroupBox]\nImage=x.bmp\n"
      "BackgroundLeftShift=3\n[StatusBarEdges]\nBitmap=x.bmp\n[Progress]\nBitmap=x.bmp\nChunk=y.bmp\nTile=3\n"
      "[Personality]\nmenuBar=x.bmp\n",
      {{"x.bmp", Solid(40, 10, 0)}, {"y.bmp", Solid(8, 8, 0)}});
  const TSkinElements& e = l->e;
  ASSERT_TRUE(e.Toolbars);  // found under another letter case
  EXPECT_EQ(e.Toolbars->Name, QStringLiteral("Toolbars"));
  EXPECT_EQ(e.Toolbars->Tile, 0);  // above 1 reads 0
  EXPECT_EQ(e.Toolbars->FrameCount, 5);
  ASSERT_TRUE(e.Tabs);
  EXPECT_EQ(e.Tabs->Tile, 1);
  EXPECT_FALSE(e.Tabs->Image2.isNull());
  EXPECT_EQ(e.HorzScrollThumb->FrameCount, 7);
  EXPECT_EQ(e.VertScrollThumb->FrameCount, 3);
  EXPECT_EQ(e.UpDownVert->FrameCount, 8);
  EXPECT_FALSE(e.UpDownVert->Image2.isNull());
  EXPECT_EQ(e.Scrollbar->FrameCount, 23);
  EXPECT_EQ(e.GroupBox->FrameCount, 1);
  EXPECT_EQ(e.GroupBox->BackgroundLeftShift, 3);
  EXPECT_FALSE(e.StatusBarEdges);  // generic elements need the key Image
  ASSERT_TRUE(e.Progress);
  EXPECT_EQ(e.Progress->Tile, 3);  // not clamped
  EXPECT_EQ(e.Progress->FrameCount, 2);
  ASSERT_TRUE(e.MenuBar);
  EXPECT_EQ(e.MenuBar->Margins, (TSkinMargins{1, 0, 1, 0}));
  EXPECT_EQ(e.MenuBar->FrameCount, 2);
  EXPECT_FALSE(e.HorzScroll);
  EXPECT_FALSE(e.ComboButton);
}

// Elements that name only their image: every other key takes its default.
TEST(SkinElements, ElementsNamingOnlyTheirImage) {
  auto l = Read("[Progress]\nBitmap=x.bmp\n[GroupBox]\nImage=x.bmp\n[StatusBarEdges]\nImage=x.bmp\n",
                {{"x.bmp", Solid(40, 10, 0)}});
  const TSkinElements& e = l->e;
  ASSERT_TRUE(e.Progress && e.GroupBox && e.StatusBarEdges);
  EXPECT_EQ(e.Progress->Tile, 0);
  EXPECT_EQ(e.Progress->Trans, 0);
  EXPECT_EQ(e.Progress->Style, 0);
  EXPECT_EQ(e.Progress->FrameCount, 2);
  EXPECT_EQ(e.GroupBox->BackgroundAlignment, 0);
  EXPECT_EQ(e.GroupBox->FrameCount, 1);
  EXPECT_EQ(e.StatusBarEdges->FrameCount, 3);
  EXPECT_EQ(e.StatusBarEdges->Tile, 0);
}

TEST(SkinElements, ComboBoxComposite) {
  // SunkEdge frames are solid colours 1..4, ComboButton frames 11..14.
  QImage sunk(80, 21, QImage::Format_RGB32), button(72, 21, QImage::Format_RGB32);
  for (int f = 0; f < 4; ++f) {
    for (int y = 0; y < 21; ++y) {
      for (int x = 0; x < 20; ++x) sunk.setPixel(20 * f + x, y, qRgb(f + 1, 0, 0));
      for (int x = 0; x < 18; ++x) button.setPixel(18 * f + x, y, qRgb(f + 11, 0, 0));
    }
  }
  auto l = Read("[SunkEdge]\nImage=s.bmp\nLeftWidth=2\nRightWidth=2\nTopHeight=3\nBottomHeight=2\n"
                "[ComboButton]\nImage=c.bmp\n",
                {{"s.bmp", sunk}, {"c.bmp", button}});
  const TSkinElements& e = l->e;
  ASSERT_TRUE(e.ComboButton && e.SunkEdge);
  const int a = platform::Metric(platform::SM_CXHSCROLL) + 2;
  const TDataSkinBorder& c = *e.ComboButton;
  EXPECT_EQ(c.Style, 2);
  EXPECT_EQ(c.Margins, (TSkinMargins{2, 3, a + 2, 2}));
  ASSERT_EQ(c.Image.size(), QSize(200, 21));
  for (int i = 0; i < 4; ++i) {
    const int x0 = 50 * i;
    EXPECT_EQ(c.Image.pixel(x0 + 0, 0), qRgb(i + 1, 0, 0)) << i;          // edge
    EXPECT_EQ(c.Image.pixel(x0 + 10, 10), kMagenta) << i;                 // edit hole
    EXPECT_EQ(c.Image.pixel(x0 + 49 - a, 18), kMagenta) << i;
    EXPECT_EQ(c.Image.pixel(x0 + 50 - a, 10), qRgb(i + 11, 0, 0)) << i;  // button
    EXPECT_EQ(c.Image.pixel(x0 + 10, 19), qRgb(i + 1, 0, 0)) << i;
  }
  // The mirrored strip serves right-to-left boxes.
  EXPECT_EQ(e.SunkEdge->Image, c.Image.mirrored(true, false));
  EXPECT_EQ(e.SunkEdge->Margins, (TSkinMargins{a + 2, 3, 2, 2}));
  // The second image of the button keeps the original, mirrored.
  EXPECT_EQ(c.Image2.size(), QSize(72, 21));
  EXPECT_EQ(c.Image2.pixel(0, 0), qRgb(14, 0, 0));
}

// Through a transparent button the edge's centre shows, tiled or stretched as
// the edge says: its 16 middle columns repeat, or spread over the cell's 46.
TEST(SkinElements, ComboBoxCompositeTilesOrStretchesTheEdgesCentre) {
  const int a = platform::Metric(platform::SM_CXHSCROLL) + 2;
  for (const int tile : {0, 1}) {
    SCOPED_TRACE(tile);
    auto l = Read(QStringLiteral("[SunkEdge]\nImage=s.bmp\nLeftWidth=2\nRightWidth=2\nTopHeight=3\nBottomHeight=2\n"
                                 "Tile=%1\n[ComboButton]\nImage=c.bmp\nTrans=1\n")
                      .arg(tile),
                  {{"s.bmp", Pattern(80, 21, Coord)}, {"c.bmp", Solid(72, 21, kMagenta)}});
    const TSkinElements& e = l->e;
    ASSERT_TRUE(e.ComboButton && e.SunkEdge);
    ASSERT_EQ(e.ComboButton->Image.size(), QSize(200, 21));
    for (int i = 0; i < 4; ++i) {
      for (const int x : {50 - a, 47}) {
        const int column = tile ? 2 + (x - 2) % 16 : 2 + (x - 2) * 16 / 46;
        EXPECT_EQ(e.ComboButton->Image.pixel(50 * i + x, 10), Coord(20 * i + column, 10)) << i << " " << x;
      }
    }
  }
}

// An edge taller than the strip keeps margins inside the strip: the top one
// (33 of a 40-high edge) is cut to the strip's 21 rows, the bottom one (20) stays.
TEST(SkinElements, ComboBoxCompositeKeepsMarginsInsideTheStrip) {
  auto l = Read("[SunkEdge]\nImage=s.bmp\nLeftWidth=3\nRightWidth=1\nTopHeight=33\nBottomHeight=20\n"
                "[ComboButton]\nImage=c.bmp\n",
                {{"s.bmp", Solid(80, 40, qRgb(1, 2, 3))}, {"c.bmp", Solid(72, 21, qRgb(4, 5, 6))}});
  const TSkinElements& e = l->e;
  ASSERT_TRUE(e.ComboButton && e.SunkEdge);
  const int a = platform::Metric(platform::SM_CXHSCROLL) + 2;
  EXPECT_EQ(e.ComboButton->Image.height(), 21);
  EXPECT_EQ(e.ComboButton->Margins, (TSkinMargins{2, 21, a + 2, 20}));
  EXPECT_EQ(e.SunkEdge->Margins, (TSkinMargins{a + 2, 21, 2, 20}));
}

TEST(SkinElements, EmptySkinTakesEveryDefault) {
  auto l = Read("");
  const TSkinElements& e = l->e;
  EXPECT_FALSE(e.NotLoaded);
  EXPECT_TRUE(e.FrameLeft.Image.isNull());
  EXPECT_EQ(e.SysButtons.size(), 3u);
  for (const auto& [name, o] : e.OptionalElements()) EXPECT_EQ(o, nullptr) << name.toStdString();
  EXPECT_EQ(e.Colours.ButtonFace, platform::SysColor(platform::COLOR_BTNFACE));
}

TEST(SkinElements, RefusedSkinKeepsElementsAndStaysNotLoaded) {
  testing_support::DialogScript dialogs;
  TSkinElements e;
  ASSERT_TRUE(LoadSkinElements(skinpack::LzhEncodeFile(skintest::Archive("[TitlebarSkin]\nSkinName=first\n")), e));
  EXPECT_EQ(e.SkinName, QStringLiteral("first"));
  EXPECT_FALSE(e.NotLoaded);
  QByteArray old = skintest::Archive("[TitlebarSkin]\nSkinName=second\n");
  old[0] = 0x1F;
  EXPECT_FALSE(LoadSkinElements(skinpack::LzhEncodeFile(old), e));
  EXPECT_EQ(e.SkinName, QStringLiteral("first"));
  EXPECT_TRUE(e.NotLoaded);
  EXPECT_EQ(dialogs->shown.size(), 1);
}

}  // namespace
