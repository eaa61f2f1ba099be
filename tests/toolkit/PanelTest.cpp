// A panel's caption kept clear of a control on its line: cut with an ellipsis
// where it would run past its right limit, whole where it fits.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <cmath>

#include "toolkit/Fonts.h"
#include "toolkit/Panel.h"

using namespace toolkit;

TEST(Panel, CaptionIsCutWithAnEllipsisBeforeItsRightLimit) {
  TPanel panel;
  panel.resize(600, 32);
  panel.SetBorderStyle(bsSingleBorder);
  panel.SetAlignment(taLeftJustify);
  panel.setFont(MakeFont(QStringLiteral("宋体"), 13));
  const QString caption = QStringLiteral(" 作品名称：自河南经乱关内阻饥兄弟离散   作家：白居易");
  panel.SetCaption(caption);
  // Without a limit the caption is painted as it is, within the borders
  // (a 2-pixel client edge and the 1-pixel raised bevel).
  EXPECT_EQ(panel.ShownCaption(), caption);
  EXPECT_EQ(panel.CaptionArea(), QRect(3, 3, 594, 26));

  // The painted width, fractional advances rounded up to whole pixels.
  const QFontMetricsF fm(panel.font());
  const int width = static_cast<int>(std::ceil(fm.horizontalAdvance(caption)));
  ASSERT_LT(width, 594);
  // A limit exactly at the caption's end keeps it whole; one pixel less cuts it.
  panel.SetCaptionRight(3 + width);
  EXPECT_EQ(panel.ShownCaption(), caption);
  panel.SetCaptionRight(3 + width - 1);
  const QString cut = panel.ShownCaption();
  EXPECT_TRUE(cut.endsWith(QChar(0x2026))) << cut.toStdString();
  EXPECT_TRUE(caption.startsWith(cut.chopped(1)));
  EXPECT_LE(fm.horizontalAdvance(cut), width - 1);
  EXPECT_EQ(panel.CaptionArea().right(), 3 + width - 2);
  EXPECT_EQ(panel.Caption(), caption) << "the caption itself is kept whole";

  // A limit beyond the panel's inner edge gives way to that edge.
  panel.SetCaptionRight(900);
  EXPECT_EQ(panel.CaptionArea().right(), 596);
  // No room at all shows nothing rather than text under the neighbour.
  panel.SetCaptionRight(2);
  EXPECT_EQ(panel.ShownCaption(), QString());
}
