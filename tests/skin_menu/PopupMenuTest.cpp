// Popup-menu windows on the offscreen platform: skinned while open (the
// engine's query, the manager's list), their border and background from
// MenuBackground, the items' places and widths, the system menu, menus of
// windows that are not forms, hooking and unhooking, and separator tidying.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QProxyStyle>

#include "platform/WinMessage.h"
#include "skin/engine/SkinManage.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/menu/MenuItemPaint.h"
#include "skin/menu/MenuText.h"
#include "skin/menu/PopupBackground.h"
#include "skin/menu/SeparatorTidy.h"
#include "skin/menu/SkinMenuStyle.h"
#include "skin/menu/WinSkinPopMenu.h"
#include "tests/skin_menu/MenuFixture.h"

namespace {

using menutest::Colour;
using menutest::MenuTest;

QRgb Rgb(platform::TColor c) { return Colour(c).rgb(); }

// A form with a popup menu of three entries (the skin menu's kind).
class Popup : public MenuTest {
 protected:
  void Build() {
    NewMenuForm();
    popup_ = new QMenu(form_);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    a_ = popup_->addAction(QStringLiteral("古色古香"));
    b_ = popup_->addAction(QStringLiteral("海洋之心海洋之心"));
    c_ = popup_->addAction(QStringLiteral("金属"));
    c_->setEnabled(false);
    ShowMenuForm();
  }
  void Open(QMenu* m, QPoint at = {60, 80}) {
    m->popup(at);
    Settle();
  }
  QMenu* popup_ = nullptr;
  QAction *a_ = nullptr, *b_ = nullptr, *c_ = nullptr;
};

TEST_F(Popup, AnOpenMenuWindowIsSkinnedAndListedUntilItCloses) {
  Build();
  ASSERT_NE(skin::MenuStyleOf(popup_), nullptr);  // the form's popup menus are hooked with the frame
  EXPECT_EQ(skin::MenuStyleOf(popup_)->Kind(), skin::mikPopupMenu);
  EXPECT_EQ(Manager().PopupCount(), 0);
  Open(popup_);
  ASSERT_TRUE(popup_->isVisible());
  EXPECT_EQ(Manager().PopupCount(), 1);
  EXPECT_NE(skin::PopupSkinnerOf(popup_), nullptr);
  EXPECT_FALSE(skin::PopupSkinnerOf(popup_)->FromMenuBar());
  EXPECT_EQ(platform::SendMessage(popup_, platform::SKM_QUERYSKINNED), 1);
  popup_->hide();
  Settle();
  EXPECT_EQ(Manager().PopupCount(), 0);
  EXPECT_EQ(Manager().MenuSource(), skin::msNone);
  EXPECT_EQ(platform::SendMessage(popup_, platform::SKM_QUERYSKINNED), 0);
}

TEST_F(Popup, ABarMenuWindowKnowsItCameFromTheBar) {
  Build();
  PressEntry(0);
  ASSERT_EQ(OpenMenu(), file_);
  ASSERT_NE(skin::PopupSkinnerOf(file_), nullptr);
  EXPECT_TRUE(skin::PopupSkinnerOf(file_)->FromMenuBar());
}

TEST_F(Popup, BorderAndBackgroundComeFromMenuBackground) {
  Build();
  Open(popup_);
  const QImage shot = popup_->grab().toImage();
  const QImage expected = skin::ComposeMenuBackground(data_->Elements(), popup_->size());
  ASSERT_EQ(shot.size(), expected.size());
  const int W = shot.width(), H = shot.height();
  for (const QPoint p : {QPoint(0, 0), QPoint(2, 2), QPoint(W - 1, H - 1), QPoint(W - 3, 5), QPoint(1, H / 2),
                         QPoint(W / 2, H - 2), QPoint(W / 2, 0)})
    EXPECT_EQ(shot.pixel(p), expected.pixel(p)) << p.x() << "," << p.y();
  // Inside the border, the items: MenuItem frame 1.
  EXPECT_EQ(shot.pixel(4, 4), menutest::ItemFrame(1));
  EXPECT_EQ(popup_->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, popup_), skin::kMenuBorder);
}

TEST_F(Popup, ItemsFillTheWindowInsideItsBorderAndAreMeasuredByTheRule) {
  Build();
  Open(popup_);
  const QFontMetrics fm(skin::MenuFont());
  EXPECT_EQ(popup_->font(), skin::MenuFont());
  skin::TMenuItemMetrics m;
  m.lineHeight = fm.height();
  m.menuItemLeft = 3;
  int widest = 0;
  for (QAction* a : {a_, b_, c_}) {
    m.captionWidth = fm.horizontalAdvance(a->text());
    widest = std::max(widest, skin::MeasureMenuItem(skin::mikPopupMenu, m).width());
  }
  const int h = skin::MeasureMenuItem(skin::mikPopupMenu, m).height();
  EXPECT_EQ(popup_->actionGeometry(a_), QRect(3, 3, widest, h));
  EXPECT_EQ(popup_->actionGeometry(b_), QRect(3, 3 + h, widest, h));
  EXPECT_EQ(popup_->actionGeometry(c_), QRect(3, 3 + 2 * h, widest, h));
  EXPECT_EQ(popup_->size(), QSize(widest + 6, 3 * h + 6));
  // The widest caption makes the menu wider by its width + 10 + 25 + the margin.
  EXPECT_EQ(widest, fm.horizontalAdvance(b_->text()) + 3 + 10 + 25);
}

TEST_F(Popup, TheSelectedItemTakesFrameFour) {
  Build();
  Open(popup_);
  popup_->setActiveAction(b_);
  Settle();
  const QImage shot = popup_->grab().toImage();
  const QRect r = popup_->actionGeometry(b_);
  EXPECT_EQ(shot.pixel(r.left() + 1, r.top() + 1), menutest::ItemFrame(4));
  EXPECT_EQ(shot.pixel(popup_->actionGeometry(a_).topLeft() + QPoint(1, 1)), menutest::ItemFrame(1));
}

TEST_F(Popup, TheSystemMenuIsOwnerDrawnWithTheSkinsMenuGlyphs) {
  Build();
  QMenu* sys = frame_->SystemMenu();
  ASSERT_NE(sys, nullptr);
  ASSERT_NE(skin::MenuStyleOf(sys), nullptr);
  EXPECT_EQ(skin::MenuStyleOf(sys)->Kind(), skin::mikSystemMenu);
  frame_->ShowSystemMenu(form_->mapToGlobal(QPoint(30, 10)));
  Settle();
  ASSERT_TRUE(sys->isVisible());
  EXPECT_EQ(Manager().PopupCount(), 1);
  QAction* close = nullptr;
  for (QAction* a : sys->actions())
    if (a->text() == QStringLiteral(" Close ")) close = a;
  ASSERT_NE(close, nullptr);
  // The glyph box: 1 + MenuItem's left margin (3) in, one pixel down; image 3 of the glyphs.
  const QRect r = sys->actionGeometry(close);
  const QImage glyph = data_->MenuGlyphs().Image(3);
  ASSERT_FALSE(glyph.isNull());
  QPoint ink(-1, -1);
  for (int y = 0; y < 16 && ink.x() < 0; ++y)
    for (int x = 0; x < 16; ++x)
      if (qAlpha(glyph.pixel(x, y)) == 255) {
        ink = {x, y};
        break;
      }
  ASSERT_GE(ink.x(), 0);
  const QImage shot = sys->grab().toImage();
  EXPECT_EQ(shot.pixel(r.topLeft() + QPoint(4, 1) + ink), glyph.pixel(ink) | 0xFF000000u);
  // Measured by the system menu's rule: the image list's glyph + 6, the left margin + 12, the shortcut.
  const QFontMetrics fm(skin::MenuFont());
  int widest = 0;
  for (QAction* a : sys->actions()) {
    if (a->isSeparator()) continue;
    skin::TMenuItemMetrics m;
    m.captionWidth = fm.horizontalAdvance(a->text());
    m.imageListWidth = 16;
    m.menuItemLeft = 3;
    m.lineHeight = fm.height();
    widest = std::max(widest, skin::MeasureMenuItem(skin::mikSystemMenu, m).width());
  }
  const int shortcut = fm.horizontalAdvance(close->shortcut().toString(QKeySequence::NativeText));
  EXPECT_EQ(r.width(), std::max(widest, fm.horizontalAdvance(close->text()) + 16 + 6 + 3 + 12 + skin::kShortcutGap) +
                           shortcut);
}

TEST_F(Popup, AMenuOfAControlIsSkinnedWhileOpenAndGivenBackAfter) {
  Build();
  // A context menu as a platform control makes it: not a child of the form.
  auto* owner = Keep(new QWidget());
  auto* menu = new QMenu(owner);
  QAction* first = menu->addAction(QStringLiteral("Copy"));
  menu->addAction(QStringLiteral("Paste"));
  const QSize plain = menu->sizeHint();
  EXPECT_EQ(skin::MenuStyleOf(menu), nullptr);
  Open(menu);
  ASSERT_NE(skin::MenuStyleOf(menu), nullptr);
  EXPECT_EQ(skin::MenuStyleOf(menu)->Kind(), skin::mikForeignMenu);
  const QFontMetrics fm(skin::MenuFont());
  // Caption + 26 + the left margin, and the window grew to fit before it was painted.
  EXPECT_EQ(menu->actionGeometry(first).width(), fm.horizontalAdvance(QStringLiteral("Paste")) + 26 + 3);
  EXPECT_EQ(menu->width(), menu->actionGeometry(first).width() + 6);
  menu->hide();
  Settle();
  EXPECT_EQ(skin::MenuStyleOf(menu), nullptr);
  EXPECT_EQ(menu->style(), QApplication::style());
  EXPECT_EQ(menu->sizeHint(), plain);
}

TEST_F(Popup, UnhookingGivesAMenuItsOwnStyleAndFontBack) {
  Build();
  QMenu menu;
  QProxyStyle own;
  QFont font(QStringLiteral("Sans"), 17);
  menu.setStyle(&own);
  menu.setFont(font);
  menu.addAction(QStringLiteral("x"));
  QMenu* sub = menu.addMenu(QStringLiteral("sub"));
  skin::HookMenuItems(&menu, data_.get(), skin::mikPopupMenu);
  EXPECT_NE(menu.style(), &own);
  EXPECT_NE(skin::MenuStyleOf(sub), nullptr);  // submenus too
  // Hooking again only takes the new skin data and kind.
  skin::HookMenuItems(&menu, data_.get(), skin::mikMenuBarSub);
  EXPECT_EQ(skin::MenuStyleOf(&menu)->Kind(), skin::mikMenuBarSub);
  skin::UnhookMenuItems(&menu);
  EXPECT_EQ(menu.style(), &own);
  EXPECT_EQ(menu.font(), font);
  EXPECT_EQ(skin::MenuStyleOf(sub), nullptr);
  EXPECT_EQ(sub->style(), QApplication::style());
}

TEST_F(Popup, AHookedMenuDestroyedFirstLeavesNothingBehind) {
  Build();
  auto* menu = new QMenu();
  skin::HookMenuItems(menu, data_.get(), skin::mikPopupMenu);
  ASSERT_NE(skin::MenuStyleOf(menu), nullptr);
  delete menu;
  EXPECT_EQ(skin::MenuStyleOf(menu), nullptr);
}

// Without MenuItem and MenuBackground: Hilight fills and the menu's own border.
class PlainPopup : public Popup {
 protected:
  bool WithItem() const override { return false; }
  bool WithBackground() const override { return false; }
};

TEST_F(PlainPopup, SelectedItemsTakeHilightAndTheWindowKeepsItsBorder) {
  Build();
  Open(popup_);
  EXPECT_EQ(skin::PopupSkinnerOf(popup_)->Background(), nullptr);
  EXPECT_EQ(popup_->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, popup_),
            QApplication::style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, popup_));
  popup_->setActiveAction(b_);
  Settle();
  const QImage shot = popup_->grab().toImage();
  const QRect r = popup_->actionGeometry(b_), other = popup_->actionGeometry(a_);
  EXPECT_EQ(shot.pixel(r.left() + 1, r.top() + 1), Rgb(data_->Elements().Colours.Hilight));
  EXPECT_EQ(shot.pixel(other.left() + 1, other.top() + 1), Rgb(data_->Elements().Colours.Menu));
}

TEST(SeparatorTidy, LeadingTrailingAndDoubledSeparatorsGoAndComeBack) {
  QMenu menu;
  QAction* lead = menu.addSeparator();
  QAction* a = menu.addAction(QStringLiteral("a"));
  QAction* mid1 = menu.addSeparator();
  QAction* mid2 = menu.addSeparator();
  QAction* b = menu.addAction(QStringLiteral("b"));
  QAction* trail = menu.addSeparator();
  skin::TidySeparators(&menu);
  EXPECT_FALSE(lead->isVisible());
  EXPECT_TRUE(mid1->isVisible());
  EXPECT_FALSE(mid2->isVisible());
  EXPECT_FALSE(trail->isVisible());
  // b hidden: the separator before it now trails and goes too.
  b->setVisible(false);
  skin::TidySeparators(&menu);
  EXPECT_FALSE(mid1->isVisible());
  // An item after the trailing separator brings it back.
  b->setVisible(true);
  menu.addAction(QStringLiteral("c"));
  skin::TidySeparators(&menu);
  EXPECT_TRUE(mid1->isVisible());
  EXPECT_FALSE(mid2->isVisible());
  EXPECT_TRUE(trail->isVisible());
  // a hidden: mid1 leads now.
  a->setVisible(false);
  skin::TidySeparators(&menu);
  EXPECT_FALSE(mid1->isVisible());
  EXPECT_FALSE(lead->isVisible());
}

TEST(SeparatorTidy, SeparatorsTheProgramHidItselfStayHidden) {
  QMenu menu;
  menu.addAction(QStringLiteral("a"));
  QAction* hidden = menu.addSeparator();
  hidden->setVisible(false);
  menu.addAction(QStringLiteral("b"));
  skin::TidySeparators(&menu);
  EXPECT_FALSE(hidden->isVisible());
}

}  // namespace
