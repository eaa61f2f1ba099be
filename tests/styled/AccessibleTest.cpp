// The styled buttons as screen readers see them: push buttons named by their
// captions, whose press action runs what a click runs.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <vector>

#include "StyledTestUtil.h"
#include "controls/styled/FlatButton.h"
#include "controls/styled/FlatSpeedButton.h"
#include "controls/styled/QexButton.h"
#include "controls/styled/StyledAccessible.h"

using namespace styled;
using namespace styled_test;

namespace {

const QString kPress = QAccessibleActionInterface::pressAction();

void Install() { QAccessible::installFactory(AccessibleFactory); }

}  // namespace

TEST(StyledAccessible, SpokenCaptionsDropTheAcceleratorMark) {
  const struct {
    const char* caption;
    const char* spoken;
  } cases[] = {
      {"软件升级", "软件升级"}, {"&Open", "Open"},   {"Save &As", "Save As"}, {"a && b", "a & b"},
      {"a&&&b", "a&b"},         {"end&", "end"},     {"&", ""},               {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SpokenCaption(QString::fromUtf8(c.caption)), QString::fromUtf8(c.spoken)) << c.caption;
}

TEST(StyledAccessible, HeaderAndSpeechButtonsArePushButtonsThatPress) {
  Install();
  Host host;
  auto* header = new TFlatSpeedButton(&host);
  header->setGeometry(24, 16, 65, 65);
  header->SetCaption(QStringLiteral("软件升级"));
  auto* speech = new TQexButton(&host);
  speech->setGeometry(16, 100, 57, 18);
  speech->SetCaption(QStringLiteral("朗读"));
  auto* flat = new TFlatButton(&host);
  flat->setGeometry(100, 100, 75, 25);
  flat->SetCaption(QStringLiteral("下一贴(&N)"));
  std::vector<QString> clicked;
  header->OnClick = [&] { clicked.push_back(QStringLiteral("header")); };
  speech->OnClick = [&] { clicked.push_back(QStringLiteral("speech")); };
  flat->OnClick = [&] { clicked.push_back(QStringLiteral("flat")); };
  host.show();

  const struct {
    QWidget* button;
    const char* name;
    const char* click;
  } cases[] = {{header, "软件升级", "header"}, {speech, "朗读", "speech"}, {flat, "下一贴(N)", "flat"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clicked.clear();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(c.button);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::PushButton);
    EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(c.name));
    EXPECT_FALSE(iface->state().invisible);
    EXPECT_EQ(iface->rect(), QRect(c.button->mapToGlobal(QPoint(0, 0)), c.button->size()));
    QAccessibleActionInterface* actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames().value(0), kPress);
    actions->doAction(kPress);
    EXPECT_EQ(clicked, std::vector<QString>{QString::fromUtf8(c.click)});
    // A disabled button offers no press and ignores one.
    c.button->setEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
    EXPECT_FALSE(actions->actionNames().contains(kPress));
    actions->doAction(kPress);
    EXPECT_EQ(clicked.size(), 1u);
    c.button->setEnabled(true);
  }
  // An accessible name given to the control wins over its caption.
  speech->setAccessibleName(QStringLiteral("朗读全文"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(speech)->text(QAccessible::Name), QStringLiteral("朗读全文"));
}

TEST(StyledAccessible, GroupedFlatButtonsAreCheckableAndPressFlipsTheLatch) {
  Install();
  Host host;
  auto* a = new TFlatSpeedButton(&host);
  auto* b = new TFlatSpeedButton(&host);
  a->setGeometry(0, 0, 40, 40);
  b->setGeometry(50, 0, 40, 40);
  for (TFlatSpeedButton* button : {a, b}) button->SetGroupIndex(3);
  int clicks = 0;
  b->OnClick = [&] { ++clicks; };
  host.show();
  QAccessibleInterface* ia = QAccessible::queryAccessibleInterface(a);
  QAccessibleInterface* ib = QAccessible::queryAccessibleInterface(b);
  EXPECT_TRUE(ib->state().checkable);
  EXPECT_FALSE(ib->state().checked);
  ib->actionInterface()->doAction(kPress);
  EXPECT_TRUE(b->Down());
  EXPECT_TRUE(ib->state().checked);
  EXPECT_EQ(clicks, 1);
  // The group keeps one latched button: pressing the other releases this one.
  ia->actionInterface()->doAction(kPress);
  EXPECT_TRUE(ia->state().checked);
  EXPECT_FALSE(ib->state().checked);
  // Ungrouped buttons are plain push buttons.
  a->SetGroupIndex(0);
  EXPECT_FALSE(ia->state().checkable);
  EXPECT_FALSE(ia->state().checked);
}
