// Which skinner each control receives: the fixed table row by row (test and
// SkinControls requirement), the Skin3rd mapping with every kind, the tag
// rules, and the walk over a form's controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>

#include "controls/styled/suiImagePanel.h"
#include "platform/WindowClass.h"
#include "skin/engine/Classify.h"
#include "skin/engine/SkinData.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"

namespace {

using namespace skin;

// A control of a foreign class: a widget of `base` type answering to `name`.
template <typename T = QWidget>
T* Named(QWidget* parent, const char* name) {
  auto* w = new T(parent);
  platform::SetWindowClassName(w, QString::fromLatin1(name));
  return w;
}

TSkinControlTypes All() { return TSkinControlTypes::FromMask(0xFFFFFu); }
TSkinControlTypes Without(std::initializer_list<TSkinControlType> drop) {
  TSkinControlTypes s = All();
  for (auto t : drop) s.Exclude(t);
  return s;
}

struct Row {
  const char* what;
  QWidget* control;
  TSkinControlTypes controls;
  bool hasTabs;
  TSkinnerKind kind;  // skNone: no skinner
  bool walkOwned = false;
  const char* setTrue = "";
  bool byHandle = false;
};

TEST(Classify, TheFixedTableFirstMatchingRowWhoseRequirementHoldsDecides) {
  QWidget form;
  auto* dateUpDown = Named(&form, "TDateTimePicker");
  dateUpDown->setProperty("DateMode", QStringLiteral("dmUpDown"));
  auto* dateTime = Named(&form, "TDateTimePicker");
  dateTime->setProperty("Kind", QStringLiteral("dtkTime"));
  auto* dateDrop = Named(&form, "TDateTimePicker");
  auto* dc1 = Named(&form, "TDCEdit");
  dc1->setProperty("NumButtons", 1);
  auto* dc0 = Named(&form, "TDCDBEdit");
  dc0->setProperty("NumButtons", 0);
  auto* dc2 = Named(&form, "TDCEdit");
  dc2->setProperty("NumButtons", 2);
  auto* tag55 = new toolkit::TPanel(&form);
  tag55->SetTag(55);
  auto* plain55 = new QWidget(&form);
  plain55->setProperty("Tag", 55);
  auto* embedded = new toolkit::TForm(&form);
  embedded->setWindowFlags(Qt::Widget);

  const Row rows[] = {
      {"TTabSet with tabs", Named(&form, "TTabSet"), All(), true, skTab31},
      {"TTabSet without a Tabs element", Named(&form, "TTabSet"), All(), false, skNone},
      {"TTabbedNotebook", Named(&form, "TTabbedNotebook"), All(), true, skTab, false, "", true},
      {"TTabbedNotebook without xcTab", Named(&form, "TTabbedNotebook"), Without({xcTab}), true, skNone},
      {"TMVCPanel stops before the panel row", Named<toolkit::TPanel>(&form, "TMVCPanel"), All(), true, skNone},
      {"check box", new toolkit::TCheckBox(&form), All(), false, skCheckBox},
      {"check box without xcCheckBox", new toolkit::TCheckBox(&form), Without({xcCheckBox}), false, skNone},
      {"TTrackBar", Named(&form, "TTrackBar"), All(), false, skTrackBar},
      {"TTrackBar without xcButton", Named(&form, "TTrackBar"), Without({xcButton}), false, skNone},
      {"TUpDown", Named(&form, "TUpDown"), All(), false, skUpDown},
      {"TSpinButton", Named(&form, "TSpinButton"), All(), false, skUpDown},
      {"TDBNavigator", Named(&form, "TDBNavigator"), All(), false, skBox, false, "Flat"},
      {"TDBNavigator without xcPanel", Named(&form, "TDBNavigator"), Without({xcPanel}), false, skNone},
      {"TRzDBCheckBox", Named(&form, "TRzDBCheckBox"), All(), false, skObjImage},
      {"group box", new QGroupBox(&form), All(), false, skGroupBox, true},
      {"status bar", new toolkit::TStatusBar(&form), All(), false, skStatusBar},
      {"combo box", new toolkit::TComboBox(&form), All(), false, skComBox},
      {"combo box without xcCombo", new toolkit::TComboBox(&form), Without({xcCombo}), false, skNone},
      {"TDateTimePicker in up-down mode", dateUpDown, All(), false, skEdit},
      {"TDateTimePicker picking a time", dateTime, All(), false, skEdit},
      {"TDateTimePicker dropping a calendar", dateDrop, All(), false, skComBox},
      {"TDateTimePicker without xcEdit", Named(&form, "TDateTimePicker"), Without({xcEdit}), false, skNone},
      {"TRichEdit", Named(&form, "TRichEdit"), All(), false, skScrollbar},
      {"TdxDBMemo", Named(&form, "TdxDBMemo"), All(), false, skScrollbar},
      {"panel", new toolkit::TPanel(&form), All(), false, skBox, true},
      {"a descendant of the panel", new styled::TsuiImagePanel(&form), All(), false, skBox, true},
      {"panel without xcPanel (Tag 55 makes it a scroll-bar case)", tag55, Without({xcPanel}), false, skScrollbar},
      {"TdxTreeList", Named(&form, "TdxTreeList"), All(), false, skScrollbar},
      {"list view", new toolkit::TListView(&form), All(), false, skListView},
      {"list view without xcScrollbar", new toolkit::TListView(&form), Without({xcScrollbar}), false, skNone},
      {"memo", new toolkit::TMemo(&form), All(), false, skScrollbar},
      {"memo without xcScrollbar is an edit", new toolkit::TMemo(&form), Without({xcScrollbar}), false, skEdit},
      {"memo without both", new toolkit::TMemo(&form), Without({xcScrollbar, xcEdit}), false, skNone},
      {"Tag 55 without scroll bars", plain55, All(), false, skScrollbar},
      {"push button", new toolkit::TButton(&form), All(), false, skButton},
      {"push button without xcButton", new toolkit::TButton(&form), Without({xcButton}), false, skNone},
      {"edit", new toolkit::TEdit(&form), All(), false, skEdit},
      {"embedded form", embedded, All(), false, skBox, true},
      {"TDCEdit with one button", dc1, All(), false, skComBox},
      {"TDCEdit with one button without xcCombo", dc1, Without({xcCombo}), false, skNone},
      {"TDCDBEdit without buttons", dc0, All(), false, skEdit},
      {"TDCEdit with two buttons", dc2, All(), false, skNone},
      {"label", new toolkit::TLabel(&form), All(), false, skNone},
      {"plain widget", new QWidget(&form), All(), false, skNone},
  };
  for (const Row& r : rows) {
    const TClassification c = ClassifyByTable(r.control, r.controls, r.hasTabs);
    SCOPED_TRACE(r.what);
    if (r.kind == skNone) {
      EXPECT_TRUE(c.orders.empty()) << SkinnerClassName(c.orders.front().kind).toStdString();
    } else {
      ASSERT_EQ(c.orders.size(), 1u);
      EXPECT_EQ(c.orders[0].kind, r.kind) << SkinnerClassName(c.orders[0].kind).toStdString();
      EXPECT_EQ(c.orders[0].control, r.control);
      EXPECT_EQ(c.orders[0].byHandle, r.byHandle);
    }
    EXPECT_EQ(c.walkOwned, r.walkOwned);
    EXPECT_EQ(c.setTrue, QString::fromLatin1(r.setTrue));
  }
  EXPECT_TRUE(ClassifyByTable(new toolkit::TStatusBar(&form), All(), false).sizeGripOff);
}

TSkinnerKind Only(const std::optional<TClassification>& c) {
  if (!c || c->orders.size() != 1) return skNone;
  return c->orders[0].kind;
}

TEST(Classify, Skin3rdNamesAreComparedWithoutLetterCaseAndTheFirstMatchingLineWins) {
  QWidget form;
  QWidget* combo = Named(&form, "TComboBoxEx");
  const QStringList table = {QStringLiteral("TFoo=Button"), QStringLiteral("tfoo=edit"),
                             QStringLiteral("TComboboxex=combobox"), QStringLiteral("TAdvMemoX=scrollbar")};
  EXPECT_EQ(Only(MapThirdParty(QStringLiteral("TComboBoxEx"), combo, table, All(), false)), skComBox);
  EXPECT_EQ(Only(MapThirdParty(QStringLiteral("TFOO"), combo, table, All(), false)), skButton);
  // A line names the whole class: a longer or a shorter name is another class.
  EXPECT_FALSE(MapThirdParty(QStringLiteral("TAdvMemo"), combo, table, All(), false).has_value());
  EXPECT_FALSE(MapThirdParty(QStringLiteral("TAdvMemoXY"), combo, table, All(), false).has_value());
  EXPECT_FALSE(MapThirdParty(QStringLiteral("TComboBox"), combo, table, All(), false).has_value());
  // The kind is lower-cased and cut after 50 characters.
  const QString longKind = QStringLiteral("button") + QString(50, u'x');
  EXPECT_EQ(Only(MapThirdParty(QStringLiteral("TBar"), combo, {QStringLiteral("TBar=BUTTON")}, All(), false)), skButton);
  const auto cut = MapThirdParty(QStringLiteral("TBar"), combo, {QStringLiteral("TBar=") + longKind}, All(), false);
  ASSERT_TRUE(cut.has_value());
  EXPECT_TRUE(cut->orders.empty());  // "buttonxxx..." is no known kind: handled, no skinner
  EXPECT_EQ(cut->rule, QStringLiteral("Skin3rd ") + longKind.left(50));
  // The default table: TComboboxex maps to combobox, TAdvPageControl to nil.
  TSkinData data;
  EXPECT_EQ(Only(MapThirdParty(QStringLiteral("TCOMBOBOXEX"), combo, data.Skin3rd(), All(), false)), skComBox);
  const auto nil = MapThirdParty(QStringLiteral("TAdvPageControl"), combo, data.Skin3rd(), All(), false);
  ASSERT_TRUE(nil.has_value());
  EXPECT_TRUE(nil->orders.empty());
}

TEST(Classify, EverySkin3rdKindWithItsRequirementPresentAndAbsent) {
  QWidget form;
  QWidget* c = new QWidget(&form);
  struct Kind {
    const char* kind;
    TSkinControlType needs;
    TSkinnerKind gives;
    bool byHandle = false;
    bool needsTabs = false;
    const char* setTrue = "";
  } kinds[] = {
      {"combobox", xcCombo, skComBox},          {"edit", xcEdit, skEdit, true},
      {"radiobutton", xcRadioButton, skRadioButton},
      {"panel", xcPanel, skBox, false, false, "Transparent"},
      {"trackbar", xcButton, skTrackBar, false, false, "Transparent"},
      {"button", xcButton, skButton},           {"bitbtn", xcButton, skBitButton},
      {"speedbutton", xcSpeedButton, skSpeedButton},
      {"tab", xcTab, skTab, true, true},        {"progress", xcProgress, skProgress},
      {"scrollbar", xcScrollbar, skScrollbar},  {"groupbox", xcGroupBox, skGroupBox},
      {"checkbox", xcCheckBox, skCheckBox},
  };
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.kind);
    const QStringList table = {QStringLiteral("TThing=") + QString::fromLatin1(k.kind)};
    const auto with = MapThirdParty(QStringLiteral("TThing"), c, table, All(), true);
    ASSERT_TRUE(with.has_value());
    ASSERT_EQ(with->orders.size(), 1u);
    EXPECT_EQ(with->orders[0].kind, k.gives);
    EXPECT_EQ(with->orders[0].byHandle, k.byHandle);
    EXPECT_EQ(with->setTrue, QString::fromLatin1(k.setTrue));
    const auto without = MapThirdParty(QStringLiteral("TThing"), c, table, Without({k.needs}), true);
    ASSERT_TRUE(without.has_value());  // still handled, with no skinner
    EXPECT_TRUE(without->orders.empty());
    EXPECT_TRUE(without->setTrue.isEmpty());
    if (k.needsTabs) {
      EXPECT_TRUE(MapThirdParty(QStringLiteral("TThing"), c, table, All(), false)->orders.empty());
    }
  }
  EXPECT_TRUE(MapThirdParty(QStringLiteral("TThing"), c, {QStringLiteral("TThing=scrollbar")}, All(), false)->walkOwned);
}

TEST(Classify, KindsThatSkinTheChildrenOfTheControl) {
  QWidget form;
  QWidget* group = new QWidget(&form);
  QWidget* a = new QWidget(group);
  auto* memo = new toolkit::TMemo(group);
  auto* box = new QScrollArea(group);
  auto* inner = Named(group, "TRzCheckBox");

  auto embed = MapThirdParty(QStringLiteral("TG"), group, {QStringLiteral("TG=embedscrollbar")}, All(), false);
  ASSERT_EQ(embed->orders.size(), 2u);
  EXPECT_EQ(embed->orders[0], (TSkinnerOrder{memo, skScrollbar, false}));
  EXPECT_EQ(embed->orders[1], (TSkinnerOrder{box, skScControl, false}));
  EXPECT_TRUE(MapThirdParty(QStringLiteral("TG"), group, {QStringLiteral("TG=embedscrollbar")}, Without({xcScrollbar}),
                            false)->orders.empty());

  // A container passes each child on with its own class name.
  auto container = MapThirdParty(QStringLiteral("TG"), group,
                                 {QStringLiteral("TG=container"), QStringLiteral("TRzCheckBox=Checkbox")}, All(), false);
  ASSERT_EQ(container->orders.size(), 1u);
  EXPECT_EQ(container->orders[0].control, inner);
  EXPECT_EQ(container->orders[0].kind, skCheckBox);

  auto radio = MapThirdParty(QStringLiteral("TG"), group, {QStringLiteral("TG=radiogroup")}, All(), false);
  ASSERT_EQ(radio->orders.size(), 5u);  // four children, then the group
  EXPECT_EQ(radio->orders[0], (TSkinnerOrder{a, skRadioButton, false}));
  EXPECT_EQ(radio->orders[4], (TSkinnerOrder{group, skGroupBox, false}));
  auto radioNoButtons =
      MapThirdParty(QStringLiteral("TG"), group, {QStringLiteral("TG=radiogroup")}, Without({xcRadioButton}), false);
  ASSERT_EQ(radioNoButtons->orders.size(), 1u);
  EXPECT_EQ(radioNoButtons->orders[0].kind, skGroupBox);

  // A check group needs xcPanel; its check boxes follow xcRadioButton.
  auto check = MapThirdParty(QStringLiteral("TG"), group, {QStringLiteral("TG=checkgroup")}, All(), false);
  ASSERT_EQ(check->orders.size(), 5u);
  EXPECT_EQ(check->orders[1], (TSkinnerOrder{memo, skCheckBox, false}));
  EXPECT_TRUE(MapThirdParty(QStringLiteral("TG"), group, {QStringLiteral("TG=checkgroup")}, Without({xcPanel}), false)
                  ->orders.empty());
  EXPECT_EQ(MapThirdParty(QStringLiteral("TG"), group, {QStringLiteral("TG=checkgroup")}, Without({xcRadioButton}),
                          false)->orders.size(),
            1u);
}

TEST(Classify, TagsSkipByTheirRemainderKeepingItsSignAndAHandledClassWalksItsOwnControls) {
  QWidget form;
  TSkinData data;
  auto none = [](const QWidget*) { return false; };
  auto button = [&form](int tag) {
    auto* b = new toolkit::TButton(&form);
    b->SetTag(tag);
    return b;
  };
  EXPECT_EQ(ClassifyControl(button(99), data, none).rule, QStringLiteral("skipped: tag"));
  EXPECT_EQ(ClassifyControl(button(199), data, none).rule, QStringLiteral("skipped: tag"));
  EXPECT_EQ(Only(ClassifyControl(button(-99), data, none)), skButton);
  EXPECT_EQ(Only(ClassifyControl(button(98), data, none)), skButton);
  data.SetDisableTag(5);
  EXPECT_EQ(Only(ClassifyControl(button(99), data, none)), skButton);
  EXPECT_EQ(ClassifyControl(button(105), data, none).rule, QStringLiteral("skipped: tag"));
  EXPECT_EQ(ClassifyControl(button(-105), data, none).orders.size(), 1u);  // -105 mod 100 is -5

  auto* attachedButton = button(0);
  EXPECT_EQ(ClassifyControl(attachedButton, data, [&](const QWidget* w) { return w == attachedButton; }).rule,
            QStringLiteral("skipped: attached"));

  const TClassification third = ClassifyControl(Named(&form, "TRzButton"), data, none);
  EXPECT_EQ(Only(third), skButton);
  EXPECT_TRUE(third.walkOwned);
  const TClassification eh = ClassifyControl(Named<toolkit::TComboBox>(&form, "TDBComboBoxEh"), data, none);
  EXPECT_TRUE(eh.orders.empty());
  EXPECT_TRUE(eh.walkOwned);
  // The other classes that only have their own controls walked, the first and the last named.
  for (const char* name : {"TQRPreview", "TfrPBox"}) {
    const TClassification walked = ClassifyControl(Named<toolkit::TButton>(&form, name), data, none);
    EXPECT_EQ(walked.rule, QStringLiteral("walk only")) << name;
    EXPECT_TRUE(walked.orders.empty()) << name;
  }
}

TEST(Classify, TheFormsControlsAreItsDesignedOnesNotTheInnerPartsOfComposites) {
  toolkit::TForm form;
  auto* panel = new toolkit::TPanel(&form);
  auto* button = new toolkit::TButton(panel);
  auto* combo = new toolkit::TComboBox(&form);
  combo->setEditable(true);
  auto* list = new toolkit::TListView(&form);
  auto* popup = new toolkit::TForm(&form);  // another window
  // Composites of every other kind, each holding a part of its own.
  QList<QWidget*> composites = {new toolkit::TButton(&form), new QLineEdit(&form), new QMenuBar(&form),
                                new QTabBar(&form)};
  for (QWidget* c : composites) new QWidget(c);
  composites << combo << list;
  const std::vector<QWidget*> owned = OwnedControls(&form);
  EXPECT_NE(std::find(owned.begin(), owned.end(), panel), owned.end());
  EXPECT_NE(std::find(owned.begin(), owned.end(), button), owned.end());
  EXPECT_NE(std::find(owned.begin(), owned.end(), combo), owned.end());
  EXPECT_NE(std::find(owned.begin(), owned.end(), list), owned.end());
  EXPECT_EQ(std::find(owned.begin(), owned.end(), popup), owned.end());
  for (QWidget* w : owned) EXPECT_FALSE(composites.contains(w->parentWidget())) << w->metaObject()->className();
  // Panels come before the controls they hold.
  EXPECT_LT(std::find(owned.begin(), owned.end(), panel), std::find(owned.begin(), owned.end(), button));
}

TEST(Classify, ChildWindowsOfForeignWindowsByTheirWindowClass) {
  QWidget box;
  struct Case {
    const char* what;
    QWidget* child;
    TSkinControlTypes controls;
    TSkinnerKind kind;
  } cases[] = {
      {"push button", new QPushButton(&box), All(), skButton},
      {"push button, buttons not skinned", new QPushButton(&box), Without({xcButton}), skNone},
      {"check box", new QCheckBox(&box), All(), skCheckBox},
      {"radio button", new QRadioButton(&box), All(), skRadioButton},
      {"line edit", new QLineEdit(&box), All(), skEdit},
      {"label", new QLabel(&box), All(), skNone},
      {"scroll bar", new QScrollBar(&box), All(), skScrollbar},
      {"scroll bar, scroll bars not skinned", new QScrollBar(&box), Without({xcScrollbar}), skNone},
      {"spin box", new QSpinBox(&box), All(), skUpDown},
      {"spin box, buttons not skinned", new QSpinBox(&box), Without({xcButton}), skNone},
  };
  for (const Case& c : cases) {
    const TSkinnerOrder o = ClassifyByWindowClass(c.child, c.controls, false);
    EXPECT_EQ(o.kind, c.kind) << c.what;
    EXPECT_TRUE(o.byHandle) << c.what;
  }
}

}  // namespace
