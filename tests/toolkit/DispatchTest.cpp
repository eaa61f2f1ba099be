#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

using namespace toolkit;

TEST(ErrorBox, AppendsAFullStopUnlessTheMessageEndsInOneOrLower) {
  EXPECT_EQ(ErrorBoxText(QStringLiteral("Field 'x' not found")), QStringLiteral("Field 'x' not found."));
  EXPECT_EQ(ErrorBoxText(QStringLiteral("Done.")), QStringLiteral("Done."));
  EXPECT_EQ(ErrorBoxText(QStringLiteral("Why!")), QStringLiteral("Why!"));      // '!' sorts before '.'
  EXPECT_EQ(ErrorBoxText(QStringLiteral("value -")), QStringLiteral("value -"));  // '-' sorts before '.'
  EXPECT_EQ(ErrorBoxText(QStringLiteral("'' is not a valid integer value")),
            QStringLiteral("'' is not a valid integer value."));
  EXPECT_EQ(ErrorBoxText(QStringLiteral("错误")), QStringLiteral("错误."));
  EXPECT_EQ(ErrorBoxText(QString()), QString());
}

TEST(Dispatch, AnErrorEndsTheHandlerAndIsShownCaptionedWithTheTitle) {
  testing_support::DialogScript dialogs;
  TheApplication().SetTitle(QStringLiteral("Cinnabarquillpad"));
  QStringList steps;
  Dispatch([&] {
    steps << QStringLiteral("before");
    StrToInt(QStringLiteral("abc"));
    steps << QStringLiteral("after");
  });
  EXPECT_EQ(steps, QStringList{QStringLiteral("before")});
  ASSERT_EQ(dialogs->shown.size(), 1);
  EXPECT_EQ(dialogs->shown[0].caption, QStringLiteral("Cinnabarquillpad"));
  EXPECT_EQ(dialogs->shown[0].text, QStringLiteral("'abc' is not a valid integer value."));
}

TEST(Dispatch, RaiseSkipsUnassignedEventsAndPassesArguments) {
  testing_support::DialogScript dialogs;
  std::function<void(int)> event;
  Raise(event, 1);
  int got = 0;
  event = [&](int v) { got = v; };
  Raise(event, 7);
  EXPECT_EQ(got, 7);
  EXPECT_TRUE(dialogs->shown.isEmpty());
}
