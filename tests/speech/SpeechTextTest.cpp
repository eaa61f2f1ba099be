// The language tag, the language-to-voice table and the rate scale.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/Speech.h"

using platform::SplitLanguageTag;
using platform::VoiceForLangId;
using platform::WordsPerMinute;

TEST(SpeechLanguageTag, LeadingTagIsSplitOffAndNeedsNoClosingTag) {
  const auto t = SplitLanguageTag(QStringLiteral("<LANG LANGID=\"804\">床前明月光。\r\n疑是地上霜。"));
  EXPECT_TRUE(t.tagged);
  EXPECT_EQ(t.langId, 0x804u);
  EXPECT_EQ(t.text, QStringLiteral("床前明月光。\r\n疑是地上霜。"));
}

TEST(SpeechLanguageTag, SpellingVariantsAreAccepted) {
  for (const QString& text : {QStringLiteral("<lang langid='804'>x"), QStringLiteral("  < LANG  LANGID = \"0804\" >x"),
                              QStringLiteral("<Lang LangId=\"804\"/>x"), QStringLiteral("<LANG LANGID=\"804\">x</LANG>")}) {
    const auto t = SplitLanguageTag(text);
    EXPECT_TRUE(t.tagged) << text.toStdString();
    EXPECT_EQ(t.langId, 0x804u) << text.toStdString();
    EXPECT_EQ(t.text, QStringLiteral("x")) << text.toStdString();
  }
}

TEST(SpeechLanguageTag, AnythingElseIsSpokenAsItStands) {
  for (const QString& text :
       {QStringLiteral("床前<LANG LANGID=\"804\">明月光"), QStringLiteral("<LANG LANGID=\"804\""),
        QStringLiteral("<LANG LANGID=\"zz\">x"), QStringLiteral("<LANG LANGID=\"804'>x"),
        QStringLiteral("<LANGUAGE LANGID=\"804\">x"), QString()}) {
    const auto t = SplitLanguageTag(text);
    EXPECT_FALSE(t.tagged) << text.toStdString();
    EXPECT_EQ(t.text, text);
  }
}

TEST(SpeechLanguageTag, BareTagLeavesNothingToSay) {
  const auto t = SplitLanguageTag(QStringLiteral("<LANG LANGID=\"804\">"));
  EXPECT_TRUE(t.tagged);
  EXPECT_TRUE(t.text.isEmpty());
}

TEST(SpeechLanguageVoice, ChineseAndOtherLanguagesMapToEngineVoices) {
  EXPECT_EQ(VoiceForLangId(0x804), QStringLiteral("cmn"));
  EXPECT_EQ(VoiceForLangId(0xC04), QStringLiteral("yue"));
  EXPECT_EQ(VoiceForLangId(0x409), QStringLiteral("en-us"));
  EXPECT_EQ(VoiceForLangId(0x809), QStringLiteral("en"));  // the engine's British voice
  // Sub-languages without a voice of their own fall back to their primary language.
  EXPECT_EQ(VoiceForLangId(0xC09), QStringLiteral("en"));
  EXPECT_EQ(VoiceForLangId(0x407), QStringLiteral("de"));
  EXPECT_EQ(VoiceForLangId(0x807), QStringLiteral("de"));
  EXPECT_TRUE(VoiceForLangId(0x7F).isEmpty());
  EXPECT_TRUE(VoiceForLangId(0).isEmpty());
}

TEST(SpeechRate, ZeroIsNormalAndTheScaleRisesWithinTheEngineLimits) {
  EXPECT_EQ(WordsPerMinute(0), 175);
  int previous = 0;
  for (int rate = platform::kSpeechRateMin; rate <= platform::kSpeechRateMax; ++rate) {
    const int wpm = WordsPerMinute(rate);
    EXPECT_GE(wpm, 80);
    EXPECT_LE(wpm, 450);
    EXPECT_GE(wpm, previous) << rate;
    previous = wpm;
  }
  EXPECT_LT(WordsPerMinute(-5), 175);
  EXPECT_GT(WordsPerMinute(5), 175);
  EXPECT_EQ(WordsPerMinute(10), 450);
  EXPECT_EQ(WordsPerMinute(-10), 80);
}

// Every language the table names must have its voice in the installed engine;
// otherwise the voice quietly falls back to the default one.
TEST(SpeechLanguageVoice, EveryMappedVoiceIsInstalled) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  qputenv("CQ_SPEECH_WAV", dir.filePath(QStringLiteral("v.wav")).toLocal8Bit());
  auto voice = platform::SpeechVoice::Create();
  QList<unsigned> ids;
  for (unsigned sub = 1; sub <= 5; ++sub)
    for (unsigned primary = 1; primary < 0x400; ++primary)
      if (!VoiceForLangId(sub << 10 | primary).isEmpty()) ids << (sub << 10 | primary);
  ASSERT_GT(ids.size(), 100);
  for (unsigned id : ids)
    voice->Speak(QStringLiteral("<LANG LANGID=\"%1\">").arg(id, 0, 16), platform::SVSFlagsAsync);
  ASSERT_TRUE(voice->WaitUntilDone(30000));
  const auto spoken = voice->Spoken();
  ASSERT_EQ(spoken.size(), ids.size());
  for (int i = 0; i < ids.size(); ++i)
    EXPECT_EQ(spoken[i].voice, VoiceForLangId(ids[i])) << std::hex << ids[i];
  voice.reset();
  qunsetenv("CQ_SPEECH_WAV");
}
