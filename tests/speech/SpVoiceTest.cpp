// The voice component: connecting, sharing, stopping and reporting failures.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "tests/speech/WavFile.h"
#include "toolkit/Exception.h"
#include "toolkit/SpVoice.h"

using platform::SpeechVoice;
using toolkit::TSpVoice;

namespace {

const QString kTag = QStringLiteral("<LANG LANGID=\"804\">");

class SpVoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    wav_ = dir_.filePath(QStringLiteral("voice.wav"));
    qputenv("CQ_SPEECH_WAV", wav_.toLocal8Bit());
    qputenv("CQ_SPEECH_WAV_SPEED", "0");
    ASSERT_EQ(SpeechVoice::Running(), nullptr);
  }
  void TearDown() override {
    qunsetenv("CQ_SPEECH_WAV");
    qunsetenv("CQ_SPEECH_WAV_SPEED");
    EXPECT_EQ(SpeechVoice::Running(), nullptr) << "the test left a voice running";
  }

  QTemporaryDir dir_;
  QString wav_;
};

// What the read-aloud button does with the text pane's lines.
QString ReadAloudText(const QStringList& lines) {
  QString text = lines.join(QStringLiteral("\r\n"));
  text.replace(QLatin1Char('.'), QStringLiteral("。"));
  return text;
}

}  // namespace

TEST_F(SpVoiceTest, StartsUnconnectedAndDisconnectingThenDoesNothing) {
  TSpVoice voice;
  EXPECT_FALSE(voice.Connected());
  EXPECT_FALSE(voice.AutoConnect());
  EXPECT_EQ(voice.ConnectKind(), toolkit::ckRunningOrNew);
  voice.Loaded();  // AutoConnect is off: no voice yet
  EXPECT_FALSE(voice.Connected());
  voice.Disconnect();
  EXPECT_FALSE(voice.Connected());
  EXPECT_EQ(SpeechVoice::Running(), nullptr);
  voice.SetAutoConnect(true);
  voice.Loaded();
  EXPECT_TRUE(voice.Connected());
}

TEST_F(SpVoiceTest, EveryOperationConnectsFirst) {
  const QList<std::function<void(TSpVoice&)>> operations = {
      [](TSpVoice& v) { v.SetRate(0); }, [](TSpVoice& v) { v.Rate(); },
      [](TSpVoice& v) { v.Speak(kTag, platform::SVSFlagsAsync); },
      [](TSpVoice& v) { v.Pause(); }, [](TSpVoice& v) { v.Resume(); }};
  for (int i = 0; i < operations.size(); ++i) {
    TSpVoice voice;
    operations[i](voice);
    EXPECT_TRUE(voice.Connected()) << "operation " << i;
    EXPECT_EQ(SpeechVoice::Running(), voice.DefaultInterface());
  }
}

TEST_F(SpVoiceTest, ReadAloudHandsTheTaggedTextToTheEngine) {
  TSpVoice voice;
  const QString text = ReadAloudText({QStringLiteral("静夜思"), QStringLiteral("Li Bai, 701-762 A.D."),
                                      QStringLiteral("床前明月光，疑是地上霜。")});
  voice.SetRate(0);
  voice.Speak(kTag + text, platform::SVSFlagsAsync);
  auto engine = voice.DefaultInterface();
  ASSERT_TRUE(engine->WaitUntilDone(60000));
  const auto spoken = engine->Spoken();
  ASSERT_EQ(spoken.size(), 1);
  EXPECT_EQ(spoken[0].voice, QStringLiteral("cmn"));
  EXPECT_EQ(spoken[0].text,
            QStringLiteral("静夜思\r\nLi Bai, 701-762 A。D。\r\n床前明月光，疑是地上霜。"));
  EXPECT_EQ(engine->Rate(), 0);
  const auto wav = speech_test::ReadWav(wav_);
  ASSERT_TRUE(wav.valid) << wav.problem.toStdString();
  EXPECT_GT(wav.Rms(), 500.0);
}

TEST_F(SpVoiceTest, EmptyPaneSendsOnlyTheTagAndNothingIsHeard) {
  TSpVoice voice;
  voice.SetRate(0);
  voice.Speak(kTag + ReadAloudText({}), platform::SVSFlagsAsync);
  voice.Speak(kTag + ReadAloudText({QString(), QStringLiteral("  ")}), platform::SVSFlagsAsync);
  auto engine = voice.DefaultInterface();
  ASSERT_TRUE(engine->WaitUntilDone(60000));
  ASSERT_EQ(engine->Spoken().size(), 2);
  EXPECT_TRUE(engine->Spoken()[0].text.isEmpty());
  EXPECT_EQ(engine->FramesOut(), 0);
  const auto wav = speech_test::ReadWav(wav_);
  ASSERT_TRUE(wav.valid) << wav.problem.toStdString();
  EXPECT_TRUE(wav.samples.empty());
}

TEST_F(SpVoiceTest, RunningOrNewSharesOneVoiceAndNewInstanceDoesNot) {
  TSpVoice a, b, c;
  c.SetConnectKind(toolkit::ckNewInstance);
  a.Connect();
  b.Connect();
  c.Connect();
  EXPECT_EQ(a.DefaultInterface(), b.DefaultInterface());
  EXPECT_NE(a.DefaultInterface(), c.DefaultInterface());
  // Connecting again while connected keeps the same voice.
  auto before = a.DefaultInterface();
  a.Connect();
  EXPECT_EQ(a.DefaultInterface(), before);
  before.reset();

  // One client letting go leaves the shared voice speaking for the other.
  std::weak_ptr<SpeechVoice> shared = a.DefaultInterface();
  a.Disconnect();
  EXPECT_FALSE(shared.expired());
  EXPECT_TRUE(b.Connected());
  b.Disconnect();
  EXPECT_TRUE(shared.expired());
  c.Disconnect();
}

TEST_F(SpVoiceTest, RunningInstanceNeedsARunningVoice) {
  TSpVoice runner, finder;
  finder.SetConnectKind(toolkit::ckRunningInstance);
  EXPECT_THROW(finder.Connect(), toolkit::EOSError);
  EXPECT_FALSE(finder.Connected());
  runner.Connect();
  finder.Connect();
  EXPECT_EQ(finder.DefaultInterface(), runner.DefaultInterface());
}

TEST_F(SpVoiceTest, AttachToInterfaceUsesOnlyTheGivenVoice) {
  TSpVoice voice;
  voice.SetConnectKind(toolkit::ckAttachToInterface);
  EXPECT_THROW(voice.Speak(QStringLiteral("x"), platform::SVSFlagsAsync), toolkit::EOSError);
  EXPECT_EQ(SpeechVoice::Running(), nullptr);
  auto given = SpeechVoice::Create();
  voice.ConnectTo(given);
  EXPECT_EQ(voice.DefaultInterface(), given);
  EXPECT_THROW(voice.ConnectTo(nullptr), toolkit::EOSError);
  EXPECT_FALSE(voice.Connected());
}

TEST_F(SpVoiceTest, StopReleasesTheVoiceAndTheNextPressConnectsANewOne) {
  qputenv("CQ_SPEECH_WAV_SPEED", "1");
  TSpVoice voice;
  QString text;
  for (int i = 0; i < 8; ++i) text += QStringLiteral("床前明月光，疑是地上霜。举头望明月，低头思故乡。");
  voice.SetRate(0);
  voice.Speak(kTag + text, platform::SVSFlagsAsync);
  std::weak_ptr<SpeechVoice> first = voice.DefaultInterface();
  EXPECT_TRUE(first.lock()->Busy());  // the press came back while the voice speaks
  QTRY_VERIFY_WITH_TIMEOUT(first.lock()->FramesOut() > 0, 20000);

  voice.Disconnect();
  EXPECT_FALSE(voice.Connected());
  EXPECT_TRUE(first.expired());
  const auto wav = speech_test::ReadWav(wav_);
  ASSERT_TRUE(wav.valid) << wav.problem.toStdString();
  EXPECT_LT(wav.Seconds(), 10.0);

  voice.Pause();  // "暂停" after "停止" connects a fresh voice
  EXPECT_TRUE(voice.Connected());
  EXPECT_NE(voice.DefaultInterface().get(), nullptr);
  EXPECT_TRUE(voice.DefaultInterface()->Spoken().isEmpty());
}

TEST_F(SpVoiceTest, RefusalsOfTheVoiceAreRaisedAsOsErrors) {
  TSpVoice voice;
  EXPECT_THROW(voice.SetRate(42), toolkit::EOSError);
  EXPECT_TRUE(voice.Connected());
  EXPECT_THROW(voice.Speak(QStringLiteral("x"), 64), toolkit::EOSError);
  EXPECT_THROW(voice.Speak(QStringLiteral("x"), platform::SVSFIsXML | platform::SVSFIsNotXML),
               toolkit::EOSError);
  EXPECT_TRUE(voice.DefaultInterface()->Spoken().isEmpty());
}

TEST_F(SpVoiceTest, CreationFailureIsRaisedOnEveryPressAndNothingConnects) {
  qputenv("CQ_SPEECH_WAV", dir_.filePath(QStringLiteral("no/such/dir/x.wav")).toLocal8Bit());
  TSpVoice voice;
  for (int press = 0; press < 2; ++press) {
    try {
      voice.SetRate(0);
      ADD_FAILURE() << "connected without a sound output";
    } catch (const toolkit::EOSError& e) {
      // Said to the reader in Chinese, with what to do; the detail on its own line.
      const QStringList lines = e.Message().split(QLatin1Char('\n'));
      ASSERT_EQ(lines.size(), 2) << e.what();
      EXPECT_TRUE(lines[0].startsWith(QStringLiteral("朗读没有声音输出"))) << e.what();
      EXPECT_TRUE(lines[0].contains(QStringLiteral("请检查"))) << e.what();
      EXPECT_TRUE(lines[1].startsWith(QStringLiteral("WAV file: "))) << e.what();
    }
    EXPECT_THROW(voice.Pause(), toolkit::EOSError);
    EXPECT_THROW(voice.Resume(), toolkit::EOSError);
    EXPECT_FALSE(voice.Connected());
  }
}

TEST_F(SpVoiceTest, StreamEventsArriveOnTheComponentsThread) {
  TSpVoice voice;
  QList<QPair<QString, int>> events;
  bool onMainThread = true;
  voice.OnStartStream = [&](QObject* sender, int stream) {
    EXPECT_EQ(sender, &voice);
    onMainThread &= QThread::currentThread() == qApp->thread();
    events << qMakePair(QStringLiteral("start"), stream);
  };
  voice.OnEndStream = [&](QObject*, int stream) {
    onMainThread &= QThread::currentThread() == qApp->thread();
    events << qMakePair(QStringLiteral("end"), stream);
  };
  const int stream = voice.Speak(kTag + QStringLiteral("你好"), platform::SVSFlagsAsync);
  // Nothing is delivered inside the call: events wait for the event loop.
  EXPECT_TRUE(events.isEmpty());
  QTRY_COMPARE_WITH_TIMEOUT(events.size(), 2, 20000);
  EXPECT_EQ(events[0], qMakePair(QStringLiteral("start"), stream));
  EXPECT_EQ(events[1], qMakePair(QStringLiteral("end"), stream));
  EXPECT_TRUE(onMainThread);
}

TEST_F(SpVoiceTest, DestroyedComponentReceivesNoLateEvents) {
  int delivered = 0;
  {
    TSpVoice voice;
    voice.OnEndStream = [&](QObject*, int) { ++delivered; };
    voice.Speak(kTag + QStringLiteral("你好"), platform::SVSFDefault);  // ends before the destructor
  }
  QCoreApplication::processEvents();
  QTest::qWait(50);
  EXPECT_EQ(delivered, 0);
}
