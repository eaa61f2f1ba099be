// What frame a window gets: its kind, its caption abilities, whether it is a
// message window and whether its class is a Unicode one, from its flags, its
// class and, for an application form, its border style.
#include <gtest/gtest.h>

#include <QWidget>

#include "skin/frame/FrameKind.h"
#include "toolkit/Form.h"

namespace {

using namespace skin;

constexpr Qt::WindowFlags kWindow = Qt::Window;
constexpr Qt::WindowFlags kDialog = Qt::Dialog;

struct Case {
  const char* what;
  TFrameFacts facts;
  TFrameKind kind;
  bool systemMenu, minimize, maximize, dialog, unicode;
};

TFrameFacts Foreign(Qt::WindowFlags flags, const char* cls = "QWidget", bool fixedSize = false) {
  return {flags, QString::fromLatin1(cls), false, toolkit::bsSizeable, fixedSize};
}
TFrameFacts Form(toolkit::TFormBorderStyle style, Qt::WindowFlags flags = kWindow, bool fixedSize = false) {
  return {flags, QStringLiteral("TForm1"), true, style, fixedSize};
}

TEST(FrameKind, KindAbilitiesAndDialogStatusFromFlagsClassAndBorderStyle) {
  const Case cases[] = {
      // Foreign windows: their flags and size limits.
      {"plain window", Foreign(kWindow), fkSizeable, true, true, true, false, false},
      {"fixed-size window", Foreign(kWindow, "QWidget", true), fkFixed, true, true, true, false, false},
      {"platform dialog", Foreign(kDialog), fkDialog, true, false, false, false, false},
      {"frameless", Foreign(kWindow | Qt::FramelessWindowHint), fkNone, true, true, true, false, false},
      {"title and close only", Foreign(kWindow | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), fkSizeable, true,
       false, false, false, false},
      {"minimise without a system menu", Foreign(kWindow | Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint),
       fkSizeable, false, true, false, false, false},
      {"system menu and maximise", Foreign(kWindow | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint),
       fkSizeable, true, false, true, false, false},
      // The message classes are dialogs whatever their flags; the class is compared exactly.
      {"message box class", Foreign(kWindow, "#32770"), fkDialog, true, true, true, true, false},
      {"message form class", Foreign(kWindow, "TMessageForm"), fkDialog, true, true, true, true, false},
      {"message form class in lower case", Foreign(kWindow, "tmessageform"), fkSizeable, true, true, true, false,
       false},
      {"frameless message box", Foreign(kWindow | Qt::FramelessWindowHint, "#32770"), fkNone, true, true, true, true,
       false},
      {"Unicode class", Foreign(kWindow, "TEdit.UnicodeClass"), fkSizeable, true, true, true, false, true},
      // Forms: their border style; a fixed size and a dialog type do not count.
      {"sizeable form", Form(toolkit::bsSizeable), fkSizeable, true, true, true, false, false},
      {"sizeable form of fixed size", Form(toolkit::bsSizeable, kWindow, true), fkSizeable, true, true, true, false,
       false},
      {"sizeable tool window", Form(toolkit::bsSizeToolWin), fkSizeable, true, true, true, false, false},
      {"single-border form", Form(toolkit::bsSingle), fkFixed, true, true, true, false, false},
      {"tool window", Form(toolkit::bsToolWindow), fkFixed, true, true, true, false, false},
      {"dialog form", Form(toolkit::bsDialog), fkDialog, true, true, true, false, false},
      {"sizeable form of dialog type", Form(toolkit::bsSizeable, kDialog), fkSizeable, true, false, false, false,
       false},
      {"borderless form", Form(toolkit::bsNone), fkNone, true, true, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TFrameClass got = ClassifyFrame(c.facts);
    EXPECT_EQ(got.kind, c.kind);
    EXPECT_EQ(got.caps.SystemMenu, c.systemMenu);
    EXPECT_EQ(got.caps.Minimize, c.minimize);
    EXPECT_EQ(got.caps.Maximize, c.maximize);
    EXPECT_EQ(got.dialog, c.dialog);
    EXPECT_EQ(got.unicode, c.unicode);
    EXPECT_FALSE(got.caps.CaptionRemoved);
  }
}

TEST(FrameKind, TheFactsOfARealWindow) {
  QWidget w;
  w.setWindowFlags(Qt::Dialog);
  EXPECT_FALSE(FrameFactsOf(&w, nullptr).fixedSize);
  w.setFixedSize(120, 81);
  TFrameFacts facts = FrameFactsOf(&w, nullptr);
  EXPECT_TRUE(facts.fixedSize);
  EXPECT_FALSE(facts.isForm);
  EXPECT_EQ(ClassifyFrame(facts).kind, fkDialog);
  // Equal limits of zero width are no fixed size.
  QWidget zero;
  zero.setMinimumSize(0, 40);
  zero.setMaximumSize(0, 40);
  EXPECT_FALSE(FrameFactsOf(&zero, nullptr).fixedSize);
  toolkit::TForm form;
  form.SetBorderStyle(toolkit::bsDialog);
  facts = FrameFactsOf(&form, &form);
  EXPECT_TRUE(facts.isForm);
  EXPECT_EQ(facts.borderStyle, toolkit::bsDialog);
  EXPECT_EQ(ClassifyFrame(facts).kind, fkDialog);
}

}  // namespace
