#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTest>

#include "app/MainForm.h"
#include "controls/styled/QexButton.h"
#include "platform/Speech.h"
#include "tests/app/Reading.h"
#include "toolkit/SpVoice.h"
#include "toolkit/StdCtrls.h"

// The speech bar hands the pane's text to the voice, with the language tag and
// "." replaced; stop releases the voice and the next press connects a new one.
TEST(SpeechBar, ReadsThePaneAloudAndStopsByRelease) {
  ReadingFixture fixture;
  const QString wav = fixture.Path(QStringLiteral("speech.wav"));
  qputenv("CQ_SPEECH_WAV", wav.toUtf8());
  qputenv("CQ_SPEECH_WAV_SPEED", "0");
  {
    app::TForm1 form;
    form.DoCreate();
    form.qexbtn4Click();  // stop before anything: nothing happens
    EXPECT_FALSE(form.SpVoice1->Connected());
    form.Memo1->SetText(QStringLiteral("床前明月光. Li Bai."));
    QTest::mouseClick(form.qexbtn1, Qt::LeftButton);
    ASSERT_TRUE(fixture.dialogs->Errors().isEmpty()) << fixture.dialogs->Errors().join(u'|').toStdString();
    ASSERT_TRUE(form.SpVoice1->Connected());
    const auto voice = form.SpVoice1->DefaultInterface();
    QTRY_COMPARE_WITH_TIMEOUT(voice->Spoken().size(), 1, 10000);
    EXPECT_EQ(voice->Spoken()[0].text, QStringLiteral("床前明月光。 Li Bai。"));
    EXPECT_EQ(voice->Spoken()[0].voice, QStringLiteral("cmn"));
    QTRY_VERIFY_WITH_TIMEOUT(voice->Spoken()[0].completed, 20000);
    form.qexbtn4Click();
    EXPECT_FALSE(form.SpVoice1->Connected());
  }
  EXPECT_GT(QFileInfo(wav).size(), 44 + 1000);  // a header and real sound
  qunsetenv("CQ_SPEECH_WAV");
  qunsetenv("CQ_SPEECH_WAV_SPEED");
}
