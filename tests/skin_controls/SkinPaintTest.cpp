// The routines every control skinner shares: the caption drawer's placement,
// the colour a control's parent gives, one frame of an element, and reading
// published properties by name.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include "skin/controls/SkinPaint.h"
#include "skin/engine/SkinData.h"
#include "tests/skin_controls/ControlSkin.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"

namespace {

using namespace controltest;

TEST(CaptionDrawer, TheMeasuredTextIsCentredWithHalvesRoundingDown) {
  QFont font;
  font.setPixelSize(13);
  const QFontMetrics fm(font);
  const QString text = QStringLiteral("功能");
  const QRect measured = fm.boundingRect(QRect(0, 0, 0, 0), skin::kCaptionFlags, text);
  // Unequal room on the two axes, one odd and one even.
  const QRect rect(10, 4, measured.width() + 7, measured.height() + 6);
  const QRect centred = skin::CaptionRect(fm, rect, text);
  EXPECT_EQ(centred.left(), 10 + 3);
  EXPECT_EQ(centred.top(), 4 + 3);
  EXPECT_EQ(centred.size(), measured.size());
  EXPECT_EQ(skin::CaptionRect(fm, rect, text, toolkit::taLeftJustify).left(), 10);
  EXPECT_EQ(skin::CaptionRect(fm, rect, text, toolkit::taRightJustify).left(), 17);
  // Narrower than its text: the text overhangs both sides by the same halves.
  const QRect narrow(0, 0, measured.width() - 5, measured.height());
  EXPECT_EQ(skin::CaptionRect(fm, narrow, text).left(), -2);
  // The accelerator marker is not measured; a tab is expanded.
  EXPECT_EQ(skin::CaptionRect(fm, rect, QStringLiteral("&功能")).width(), measured.width());
  EXPECT_GT(skin::CaptionRect(fm, rect, QStringLiteral("功\t能")).width(), measured.width());
}

TEST(CaptionDrawer, DisabledCaptionsUseTheButtonShadowAndEnabledOnesThePen) {
  QImage img(80, 24, QImage::Format_RGB32);
  auto inks = [&](bool enabled) {
    img.fill(Qt::white);
    QPainter p(&img);
    QFont f;
    f.setPixelSize(16);
    f.setBold(true);  // the drawer uses the regular style
    p.setFont(f);
    p.setPen(QColor(200, 0, 0));
    skin::DrawCaption(p, img.rect(), QStringLiteral("退出"), toolkit::taCenter, enabled);
    p.end();
    QSet<QRgb> seen;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) seen.insert(img.pixel(x, y) & 0xFFFFFF);
    return seen;
  };
  const QRgb shadow = platform::ToQColor(platform::clBtnShadow).rgb() & 0xFFFFFF;
  EXPECT_TRUE(inks(true).contains(0xC80000));
  EXPECT_FALSE(inks(true).contains(shadow));
  EXPECT_TRUE(inks(false).contains(shadow));
  EXPECT_FALSE(inks(false).contains(0xC80000));
}

TEST(ParentColour, TheParentsColourElseItsPaletteElseButtonFace) {
  auto data = LoadedSkin();
  const skin::TSkinElements& e = data->Elements();
  toolkit::TPanel panel;
  panel.SetColor(platform::RGB(30, 160, 90));
  toolkit::TCheckBox onPanel(&panel);
  EXPECT_EQ(skin::ParentColour(&onPanel, e), QColor(30, 160, 90));
  panel.SetColor(platform::clBtnFace);  // a system colour is resolved
  EXPECT_EQ(skin::ParentColour(&onPanel, e), platform::ToQColor(platform::clBtnFace));
  QWidget plain;
  QPalette pal = plain.palette();
  pal.setColor(QPalette::Window, QColor(1, 2, 3));
  plain.setPalette(pal);
  toolkit::TCheckBox onPlain(&plain);
  EXPECT_EQ(skin::ParentColour(&onPlain, e), QColor(1, 2, 3));
  toolkit::TCheckBox alone;
  EXPECT_EQ(skin::ParentColour(&alone, e), kButtonFace);
}

TEST(DrawElement, OneFrameNinePartAndTransparentOnlyForTransOne) {
  skin::TDataSkinObject element;
  element.Image = QImage(30, 10, QImage::Format_RGB32);
  element.Image.fill(qRgb(255, 0, 255));
  for (int y = 0; y < 10; ++y)
    for (int x = 10; x < 20; ++x)
      if (x != 15) element.Image.setPixel(x, y, qRgb(9, 99, 199));  // frame 2 with a magenta column
  QImage img(20, 10, QImage::Format_RGB32);
  for (int trans : {1, 2}) {
    element.Trans = trans;
    img.fill(qRgb(0, 0, 0));
    QPainter p(&img);
    skin::DrawElement(p, img.rect(), 3, 2, element);
    p.end();
    EXPECT_TRUE(PixelIs(img, 0, 0, qRgb(9, 99, 199)));
    // Column 15 of the cell stretches to 10 and 11 of the 20-pixel target.
    EXPECT_TRUE(PixelIs(img, 10, 5, trans == 1 ? qRgb(0, 0, 0) : qRgb(255, 0, 255))) << trans;
  }
}

TEST(PublishedProperties, NamesAreFoundWithoutRegardToCaseAndEnumerationsReadAsNames) {
  toolkit::TStatusBar bar;
  bar.SetSimpleText(QStringLiteral("就绪"));
  EXPECT_EQ(skin::PublishedText(&bar, "simpletext"), QStringLiteral("就绪"));
  EXPECT_TRUE(skin::SetPublishedProperty(&bar, "SIMPLEPANEL", true));
  EXPECT_TRUE(bar.SimplePanel());
  toolkit::TCheckBox box;
  box.SetState(toolkit::TCheckBox::cbGrayed);
  EXPECT_EQ(skin::PublishedText(&box, "State"), QStringLiteral("cbGrayed"));
  EXPECT_EQ(skin::PublishedText(&box, "Checked"), QStringLiteral("False"));  // grayed is not checked
  EXPECT_FALSE(skin::HasPublishedProperty(&box, "NumButtons"));
  EXPECT_FALSE(skin::PublishedProperty(&box, "NumButtons").isValid());
}

}  // namespace
