// The controls' display hooks: a control holding stored texts and a display
// function paints exactly what a control holding the shown texts paints, while
// reading its texts back still gives the stored ones.
#include <gtest/gtest.h>

#include <QImage>
#include <QTextBlock>
#include <functional>

#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Fonts.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StdCtrls.h"

namespace {

// A stand-in change of script: 国 is shown as 國 (the same width, other glyphs).
QString Script(const QString& s) { return QString(s).replace(u'国', u'國'); }
// A display that changes widths: every "a" is shown as "WW".
QString Widen(const QString& s) { return QString(s).replace(u'a', QStringLiteral("WW")); }

QImage Paint(QWidget& w) {
  w.resize(260, 120);
  return w.grab().toImage();
}

template <typename Control>
void ExpectPaintsShownText(const std::function<void(Control&, const QString&)>& fill,
                           const std::function<QString(Control&)>& readBack,
                           const std::function<void(Control&, const toolkit::TDisplayText&)>& setDisplay =
                               [](Control& c, const toolkit::TDisplayText& d) { c.SetDisplayText(d); }) {
  Control stored, shown, plain;
  for (Control* c : {&stored, &shown, &plain}) c->setFont(toolkit::MakeFont(QStringLiteral("宋体"), 15));
  fill(stored, QStringLiteral("国一 国二"));
  fill(plain, QStringLiteral("国一 国二"));
  fill(shown, QStringLiteral("國一 國二"));
  setDisplay(stored, Script);
  EXPECT_EQ(Paint(stored), Paint(shown));
  EXPECT_NE(Paint(plain), Paint(shown));  // the hook is what makes the difference
  EXPECT_EQ(readBack(stored), QStringLiteral("国一 国二"));
  setDisplay(stored, nullptr);
  EXPECT_EQ(Paint(stored), Paint(plain));
}

}  // namespace

TEST(DisplayHooksTest, TableRowsArePaintedThroughTheDisplayText) {
  ExpectPaintsShownText<toolkit::TListView>(
      [](toolkit::TListView& t, const QString& text) {
        t.Columns().Add(QStringLiteral("h"), 120);
        t.Columns().Add(QStringLiteral("h"), 120);
        toolkit::TListItem* row = t.Items().Add();
        row->SetCaption(text);
        row->SubItems().Add(text + text);
        t.SetItemIndex(0);  // the caption-wide selection mark follows the shown width
      },
      [](toolkit::TListView& t) { return t.Items().Item(0)->Caption(); });
}

TEST(DisplayHooksTest, BarItemsAndGroupCaptionsArePaintedThroughTheDisplayText) {
  // Laying out needs no display text for captions that clearly fit on a line;
  // the painted ones, the wrapped one included, go through it.
  ExpectPaintsShownText<outbar::TDCOutBar>(
      [](outbar::TDCOutBar& bar, const QString& text) {
        outbar::TDCOutBarGroup* g = bar.AddGroup();
        g->SetCaption(text);
        g->ListView()->AddItem(text);
        g->ListView()->AddItem(text + text + text + text);  // a caption that wraps
      },
      [](outbar::TDCOutBar& bar) { return bar.Group(0)->Caption(); },
      [](outbar::TDCOutBar& bar, const toolkit::TDisplayText& d) {
        bar.SetDisplayText(d);
        bar.Group(0)->ListView()->SetDisplayText(d);
      });
}

TEST(DisplayHooksTest, PanelAndLabelCaptionsArePaintedThroughTheDisplayText) {
  ExpectPaintsShownText<toolkit::TPanel>([](toolkit::TPanel& p, const QString& text) { p.SetCaption(text); },
                                         [](toolkit::TPanel& p) { return p.Caption(); });
  toolkit::TLabel label;
  label.SetCaption(QStringLiteral("a1"));
  const int storedWidth = label.width();
  label.SetDisplayText(Widen);
  EXPECT_GT(label.width(), storedWidth);  // auto-size follows the shown caption
  EXPECT_EQ(label.ShownCaption(), QStringLiteral("WW1"));
  EXPECT_EQ(label.Caption(), QStringLiteral("a1"));
}

TEST(DisplayHooksTest, TheMemoShowsCodesLinesThroughTheDisplayAndKeepsThemAsHanded) {
  toolkit::TMemo memo;
  memo.Lines().Add(QStringLiteral("a before"));
  memo.SetDisplayText(Widen);
  EXPECT_EQ(memo.Text(), QStringLiteral("WW before\r\n"));
  memo.Lines().Add(QStringLiteral("a1\r\na2"));  // two lines in one
  memo.Lines().Insert(0, QStringLiteral("a0"));  // pushes the others down
  EXPECT_EQ(memo.Text(), QStringLiteral("WW0\r\nWW before\r\nWW1\r\nWW2\r\n"));
  EXPECT_EQ(memo.Lines().Strings(2), QStringLiteral("WW1"));
  memo.SetDisplayText(nullptr);
  EXPECT_EQ(memo.Text(), QStringLiteral("a0\r\na before\r\na1\r\na2\r\n"));
  // SetText takes the display too; a display that changes nothing leaves the text as it is.
  memo.SetDisplayText(Widen);
  memo.SetText(QStringLiteral("a\rb"));
  EXPECT_EQ(memo.Text(), QStringLiteral("WW\r\nb"));
  memo.SetDisplayText([](const QString& s) { return s; });
  EXPECT_EQ(memo.Text(), QStringLiteral("a\r\nb"));
  // Switching keeps the caret's line and column.
  QTextCursor c = memo.textCursor();
  c.setPosition(memo.document()->findBlockByNumber(1).position() + 1);
  memo.setTextCursor(c);
  memo.SetDisplayText(Widen);
  EXPECT_EQ(memo.textCursor().blockNumber(), 1);
  EXPECT_EQ(memo.textCursor().positionInBlock(), 1);
}
