// The platform voice speaking into a WAV file.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

#include "platform/Speech.h"
#include "tests/speech/WavFile.h"

using platform::SpeechVoice;
using speech_test::ReadWav;

namespace {

const QString kTag = QStringLiteral("<LANG LANGID=\"804\">");
const QString kPoem = QStringLiteral("床前明月光，疑是地上霜。举头望明月，低头思故乡。");

QString LongText() {
  QString text;
  for (int i = 0; i < 8; ++i) text += kPoem;
  return text;  // about half a minute of speech
}

// Waits generously for a condition that the voice's thread brings about.
bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QThread::msleep(10);
  }
  return true;
}

class SpeechVoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    wav_ = dir_.filePath(QStringLiteral("speech.wav"));
    qputenv("CQ_SPEECH_WAV", wav_.toLocal8Bit());
    Speed("0");
    ASSERT_EQ(SpeechVoice::Running(), nullptr) << "a voice of an earlier test is still running";
  }
  void TearDown() override {
    qunsetenv("CQ_SPEECH_WAV");
    qunsetenv("CQ_SPEECH_WAV_SPEED");
  }
  // How many times faster than real time the WAV output takes sound (0: at once).
  static void Speed(const char* factor) { qputenv("CQ_SPEECH_WAV_SPEED", factor); }

  QTemporaryDir dir_;
  QString wav_;
};

}  // namespace

TEST_F(SpeechVoiceTest, SpeakingChineseWritesAudibleWav) {
  auto voice = SpeechVoice::Create();
  voice->SetRate(0);
  voice->Speak(kTag + kPoem, platform::SVSFlagsAsync);
  ASSERT_TRUE(voice->WaitUntilDone(60000));

  const auto wav = ReadWav(wav_);
  ASSERT_TRUE(wav.valid) << wav.problem.toStdString();
  EXPECT_EQ(wav.sampleRate, voice->SampleRate());
  EXPECT_EQ(qint64(wav.samples.size()), voice->FramesOut());
  // Twenty syllables at the normal rate: seconds of speech, with real loudness.
  EXPECT_GT(wav.Seconds(), 2.0);
  EXPECT_LT(wav.Seconds(), 20.0);
  EXPECT_GT(wav.Rms(), 500.0);

  const auto spoken = voice->Spoken();
  ASSERT_EQ(spoken.size(), 1);
  EXPECT_EQ(spoken[0].voice, QStringLiteral("cmn"));
  EXPECT_EQ(spoken[0].text, kPoem);  // the tag itself is not spoken
  EXPECT_TRUE(spoken[0].completed);
}

TEST_F(SpeechVoiceTest, LanguageTagChoosesMandarinAndUntaggedTextTheDefaultVoice) {
  auto voice = SpeechVoice::Create();
  voice->Speak(kTag + QStringLiteral("你好"), platform::SVSFlagsAsync);
  voice->Speak(QStringLiteral("hello"), platform::SVSFlagsAsync);
  voice->Speak(QStringLiteral("<LANG LANGID=\"409\">hello"), platform::SVSFlagsAsync);
  voice->Speak(kTag + QStringLiteral("你好"), platform::SVSFlagsAsync | platform::SVSFIsNotXML);
  ASSERT_TRUE(voice->WaitUntilDone(60000));
  const auto spoken = voice->Spoken();
  ASSERT_EQ(spoken.size(), 4);
  EXPECT_EQ(spoken[0].voice, QStringLiteral("cmn"));
  EXPECT_EQ(spoken[0].text, QStringLiteral("你好"));
  EXPECT_EQ(spoken[1].voice, platform::DefaultVoiceName());
  EXPECT_EQ(spoken[2].voice, QStringLiteral("en-us"));
  // Told not to read markup, the voice speaks the tag as text.
  EXPECT_EQ(spoken[3].voice, platform::DefaultVoiceName());
  EXPECT_EQ(spoken[3].text, kTag + QStringLiteral("你好"));
}

TEST_F(SpeechVoiceTest, SecondTextQueuesBehindTheFirst) {
  Speed("1");
  auto voice = SpeechVoice::Create();
  const QString first = QStringLiteral("床前明月光，疑是地上霜。");
  const QString second = QStringLiteral("举头望明月，低头思故乡。");
  const int s1 = voice->Speak(kTag + first, platform::SVSFlagsAsync);
  const int s2 = voice->Speak(kTag + second, platform::SVSFlagsAsync);
  EXPECT_LT(s1, s2);
  // The second call came back while the first text was still being spoken.
  EXPECT_TRUE(voice->Busy());
  EXPECT_FALSE(voice->Spoken().value(0).completed);
  ASSERT_TRUE(voice->WaitUntilDone(60000));

  const auto spoken = voice->Spoken();
  ASSERT_EQ(spoken.size(), 2);
  EXPECT_EQ(spoken[0].stream, s1);
  EXPECT_EQ(spoken[0].text, first);
  EXPECT_EQ(spoken[1].stream, s2);
  EXPECT_EQ(spoken[1].text, second);
  EXPECT_TRUE(spoken[0].completed);
  EXPECT_TRUE(spoken[1].completed);
  const auto wav = ReadWav(wav_);
  ASSERT_TRUE(wav.valid) << wav.problem.toStdString();
  EXPECT_GT(wav.Seconds(), 3.0);
}

TEST_F(SpeechVoiceTest, PurgeStopsTheCurrentTextAndDropsTheQueue) {
  Speed("1");
  auto voice = SpeechVoice::Create();
  voice->Speak(kTag + LongText(), platform::SVSFlagsAsync);
  voice->Speak(kTag + LongText(), platform::SVSFlagsAsync);
  ASSERT_TRUE(WaitFor([&] { return voice->FramesOut() > 0; }));
  voice->Speak(kTag + QStringLiteral("停"), platform::SVSFlagsAsync | platform::SVSFPurgeBeforeSpeak);
  ASSERT_TRUE(voice->WaitUntilDone(60000));
  const auto spoken = voice->Spoken();
  ASSERT_EQ(spoken.size(), 2);  // the queued long text never reached the engine
  EXPECT_FALSE(spoken[0].completed);
  EXPECT_EQ(spoken[1].text, QStringLiteral("停"));
  EXPECT_TRUE(spoken[1].completed);
  EXPECT_LT(ReadWav(wav_).Seconds(), 15.0);
}

TEST_F(SpeechVoiceTest, SpeakReturnsWhileSynthesisGoesOn) {
  Speed("1");
  auto voice = SpeechVoice::Create();
  voice->Speak(kTag + LongText(), platform::SVSFlagsAsync);
  // Half a minute of speech cannot be over when the call has returned.
  EXPECT_TRUE(voice->Busy());
  ASSERT_TRUE(WaitFor([&] { return voice->FramesOut() > 0; }));
  EXPECT_TRUE(voice->Busy());
  EXPECT_FALSE(voice->Spoken().value(0).completed);
}

TEST_F(SpeechVoiceTest, PauseHoldsTheOutputAndResumeContinues) {
  Speed("1");
  auto voice = SpeechVoice::Create();
  voice->Speak(kTag + LongText(), platform::SVSFlagsAsync);
  ASSERT_TRUE(WaitFor([&] { return voice->FramesOut() > 0; }));
  voice->Pause();
  EXPECT_TRUE(voice->Paused());
  QThread::msleep(300);  // a chunk on its way may still land
  const qint64 held = voice->FramesOut();
  const qint64 heldBytes = QFileInfo(wav_).size();
  QThread::msleep(800);
  EXPECT_EQ(voice->FramesOut(), held);
  EXPECT_EQ(QFileInfo(wav_).size(), heldBytes);
  EXPECT_TRUE(voice->Busy());

  voice->Resume();
  EXPECT_FALSE(voice->Paused());
  ASSERT_TRUE(WaitFor([&] { return voice->FramesOut() > held; }));
  EXPECT_TRUE(ReadWav(wav_).valid);
}

TEST_F(SpeechVoiceTest, ReleasingTheVoiceStopsSpeechAndLeavesAValidFile) {
  Speed("1");
  auto voice = SpeechVoice::Create();
  voice->Speak(kTag + LongText(), platform::SVSFlagsAsync);
  voice->Speak(kTag + LongText(), platform::SVSFlagsAsync);
  ASSERT_TRUE(WaitFor([&] { return voice->FramesOut() > 0; }));
  std::weak_ptr<SpeechVoice> watch = voice;
  voice.reset();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(SpeechVoice::Running(), nullptr);

  const auto wav = ReadWav(wav_);
  ASSERT_TRUE(wav.valid) << wav.problem.toStdString();
  EXPECT_GT(wav.samples.size(), 0u);
  EXPECT_LT(wav.Seconds(), 10.0);  // a minute of queued speech was cut short
  const qint64 size = QFileInfo(wav_).size();
  QThread::msleep(300);
  EXPECT_EQ(QFileInfo(wav_).size(), size);  // nothing speaks on afterwards
}

TEST_F(SpeechVoiceTest, SecondVoiceWaitsForTheEngineWithoutBlockingAnyone) {
  Speed("1");
  auto first = SpeechVoice::Create();
  first->Speak(kTag + LongText(), platform::SVSFlagsAsync);
  ASSERT_TRUE(WaitFor([&] { return first->FramesOut() > 0; }));
  first->Pause();  // holds the engine in the middle of its text

  auto second = SpeechVoice::Create();
  second->Speak(kTag + QStringLiteral("你好"), platform::SVSFlagsAsync);
  EXPECT_FALSE(second->WaitUntilDone(300));
  EXPECT_EQ(second->FramesOut(), 0);
  second.reset();  // released while waiting for the engine: must not hang

  auto third = SpeechVoice::Create();
  third->Speak(kTag + QStringLiteral("你好"), platform::SVSFlagsAsync);
  first.reset();  // releasing the paused voice frees the engine for the next one
  ASSERT_TRUE(third->WaitUntilDone(60000));
  ASSERT_EQ(third->Spoken().size(), 1);
  EXPECT_TRUE(third->Spoken()[0].completed);
  EXPECT_GT(third->FramesOut(), 0);
}

TEST_F(SpeechVoiceTest, RateOutsideTheScaleIsRefusedAndFasterSpeechIsShorter) {
  auto voice = SpeechVoice::Create();
  EXPECT_EQ(voice->Rate(), 0);
  EXPECT_THROW(voice->SetRate(11), platform::SpeechError);
  EXPECT_THROW(voice->SetRate(-11), platform::SpeechError);
  EXPECT_EQ(voice->Rate(), 0);

  voice->SetRate(-10);
  voice->Speak(kTag + kPoem, platform::SVSFDefault);
  const qint64 slow = voice->FramesOut();
  voice->SetRate(10);
  voice->Speak(kTag + kPoem, platform::SVSFDefault);
  const qint64 fast = voice->FramesOut() - slow;
  EXPECT_EQ(voice->Rate(), 10);
  EXPECT_GT(fast, 0);
  EXPECT_LT(fast * 2, slow);
}

TEST_F(SpeechVoiceTest, RunningVoicesAreFoundUntilReleased) {
  EXPECT_EQ(SpeechVoice::Running(), nullptr);
  auto first = SpeechVoice::Create();
  auto second = SpeechVoice::Create();
  EXPECT_EQ(SpeechVoice::Running(), first);
  first.reset();
  EXPECT_EQ(SpeechVoice::Running(), second);
  // Two voices writing to one WAV file share it rather than overwrite each other.
  second->Speak(kTag + QStringLiteral("你好"), platform::SVSFDefault);
  auto third = SpeechVoice::Create();
  third->Speak(kTag + QStringLiteral("你好"), platform::SVSFDefault);
  const auto wav = ReadWav(wav_);
  ASSERT_TRUE(wav.valid) << wav.problem.toStdString();
  EXPECT_EQ(qint64(wav.samples.size()), second->FramesOut() + third->FramesOut());
  second.reset();
  third.reset();
  EXPECT_EQ(SpeechVoice::Running(), nullptr);
}

TEST_F(SpeechVoiceTest, UnwritableWavFileFailsCreationClearly) {
  qputenv("CQ_SPEECH_WAV", dir_.filePath(QStringLiteral("missing/folder/speech.wav")).toLocal8Bit());
  try {
    SpeechVoice::Create();
    FAIL() << "a voice was created without a sound output";
  } catch (const platform::SpeechError& e) {
    EXPECT_TRUE(e.Message().contains(QStringLiteral("missing/folder/speech.wav"))) << e.what();
  }
  EXPECT_EQ(SpeechVoice::Running(), nullptr);
}

TEST_F(SpeechVoiceTest, NoSoundServerFailsCreationClearly) {
  qunsetenv("CQ_SPEECH_WAV");
  const QByteArray server = qgetenv("PULSE_SERVER");
  qputenv("PULSE_SERVER", "unix:" + dir_.filePath(QStringLiteral("no-such-socket")).toLocal8Bit());
  try {
    SpeechVoice::Create();
    ADD_FAILURE() << "a voice was created without a sound server";
  } catch (const platform::SpeechError& e) {
    const QStringList lines = e.Message().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << e.what();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("朗读没有声音输出"))) << e.what();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("请启动声音服务"))) << e.what();
    EXPECT_FALSE(lines[0].contains(QStringLiteral("CQ_SPEECH_WAV"))) << e.what();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("PulseAudio sound server: "))) << e.what();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("CQ_SPEECH_WAV"))) << e.what();
  }
  if (server.isNull())
    qunsetenv("PULSE_SERVER");
  else
    qputenv("PULSE_SERVER", server);
  EXPECT_EQ(SpeechVoice::Running(), nullptr);
}

// The engine is started once per process, so a missing engine is tried in a
// fresh process of this suite.
TEST_F(SpeechVoiceTest, MissingEngineDataFailsCreationClearly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QTemporaryDir empty;
  ASSERT_TRUE(empty.isValid());
  EXPECT_EXIT(
      {
        SpeechVoice::SetEngineDataPath(empty.path());
        try {
          SpeechVoice::Create();
        } catch (const platform::SpeechError& e) {
          fprintf(stderr, "%s\n", e.what());
          fflush(stderr);
          std::_Exit(0);
        }
        std::_Exit(1);
      },
      ::testing::ExitedWithCode(0), "朗读无法开始：语音引擎的语音数据缺失。请安装 espeak-ng-data 后再试。\nspeech engine voice data: ");
}
