#pragma once
// The platform speech voice: a voice object that synthesises text with the
// espeak-ng engine on its own thread and sends the sound to PulseAudio, or to
// the WAV file named by the environment variable CQ_SPEECH_WAV.
//
// Voice objects are reference counted (std::shared_ptr). Every voice that is
// created is entered in a process-wide table of running voices, where another
// client can find and share it. Dropping the last reference stops whatever the
// voice is speaking, discards its queue and joins its thread.
//
// Text may start with a language tag, `<LANG LANGID="804">`, naming the
// language by its hexadecimal language identifier; the tag need not be closed
// and selects the engine voice for that language ("cmn" for 804).
#include <QList>
#include <QSet>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace platform {

// Raised when a voice cannot be created or a request is refused. The message
// says what is missing, in words a reader can act upon.
class SpeechError : public std::runtime_error {
 public:
  explicit SpeechError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

// Flags of SpeechVoice::Speak.
enum SpeakFlags : int {
  SVSFDefault = 0,           // wait until the text has been spoken
  SVSFlagsAsync = 1,         // queue the text and return at once
  SVSFPurgeBeforeSpeak = 2,  // stop the current text and drop the queue first
  SVSFIsXML = 8,             // the leading language tag is honoured (also by default)
  SVSFIsNotXML = 16,         // the whole text is spoken as it stands, tag included
};

constexpr int kSpeechRateMin = -10;
constexpr int kSpeechRateMax = 10;

// The leading language tag of a text, split off.
struct TaggedText {
  bool tagged = false;      // a well-formed leading LANG tag was found
  unsigned langId = 0;      // its LANGID, when tagged
  QString text;             // what follows the tag (the whole text when untagged)
};
TaggedText SplitLanguageTag(const QString& text);

// The engine voice for a language identifier (LANGID): "cmn" for 0x804, and the
// voices of other languages by their primary language; empty when none is known.
QString VoiceForLangId(unsigned langId);
// The engine voice used for untagged text and for languages without a voice.
QString DefaultVoiceName();
// Words per minute for a rate in -10..10: 0 is the engine's normal speed,
// +10 three times as fast, -10 a third as fast, kept within what the engine allows.
int WordsPerMinute(int rate);

// One text handed to the engine, in the order the voice took them.
struct SpokenText {
  int stream = 0;     // the number Speak returned for it
  QString voice;      // the engine voice it was spoken with
  QString text;       // the text after the language tag
  bool completed = false;  // spoken to the end (false: stopped or purged)
};

// Events a subscriber of a voice receives, on the voice's own thread.
struct SpeechEvent {
  enum Kind { StartStream, EndStream } kind;
  int stream;
};

class SoundSink;

class SpeechVoice {
 public:
  // A new voice, entered in the table of running voices. Raises SpeechError
  // when the engine's data is missing or there is no sound output.
  static std::shared_ptr<SpeechVoice> Create();
  // The oldest running voice, or null when none is running.
  static std::shared_ptr<SpeechVoice> Running();

  ~SpeechVoice();
  SpeechVoice(const SpeechVoice&) = delete;
  SpeechVoice& operator=(const SpeechVoice&) = delete;

  int Rate() const;
  // Raises SpeechError outside -10..10. Applies from the next text taken.
  void SetRate(int rate);
  // Queues the text (see SpeakFlags) and returns its stream number.
  int Speak(const QString& text, int flags);
  // Holds the sound output until Resume; synthesis waits with it.
  void Pause();
  void Resume();
  bool Paused() const;

  // True while a text is queued or being spoken.
  bool Busy() const;
  // Waits until the queue has drained; false when `timeoutMs` passed first.
  bool WaitUntilDone(int timeoutMs) const;
  // Every text handed to the engine so far, in order.
  QList<SpokenText> Spoken() const;
  // Sample frames written to the sound output so far.
  qint64 FramesOut() const;
  int SampleRate() const;

  // Subscribers are called on the voice's thread; after Unsubscribe returns,
  // the subscriber is never called again.
  int Subscribe(std::function<void(const SpeechEvent&)> subscriber);
  void Unsubscribe(int cookie);

  // Where the engine finds its data; empty means the system's own. Takes effect
  // when the engine is started, that is, before the first voice is created.
  static void SetEngineDataPath(const QString& path);

 private:
  struct Item {
    int stream;
    QString voice;
    QString text;
  };

  SpeechVoice();
  void Run();
  void SpeakItem(const Item& item);
  bool Stopping() const;  // caller holds mutex_
  void Emit(const SpeechEvent& event);
  static int EngineCallback(short* samples, int count, void* events);
  int OnSamples(const short* samples, int count);

  std::shared_ptr<SoundSink> sink_;
  int sampleRate_ = 22050;
  QSet<QString> engineVoices_;  // the installed voices, by file name in lower case

  mutable std::mutex mutex_;
  mutable std::condition_variable wake_;
  std::deque<Item> queue_;
  QList<SpokenText> spoken_;
  int rate_ = 0;
  bool paused_ = false;
  bool quit_ = false;
  int nextStream_ = 1;
  int current_ = 0;      // stream being spoken, 0 when idle
  int purgeBelow_ = 0;   // streams below this number are stopped
  int lastDone_ = 0;     // highest stream finished or dropped
  qint64 framesOut_ = 0;

  std::mutex subscribersMutex_;
  std::map<int, std::function<void(const SpeechEvent&)>> subscribers_;
  int nextCookie_ = 1;

  std::thread worker_;
};

}  // namespace platform
