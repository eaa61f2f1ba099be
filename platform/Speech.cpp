#include "platform/Speech.h"

#include "platform/Dialogs.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/LateLibrary.h"
#include "platform/PulseSimple.h"

namespace platform {

using Clock = std::chrono::steady_clock;

// ---------------------------------------------------------------------------
// Text, language and rate

TaggedText SplitLanguageTag(const QString& text) {
  // <LANG LANGID="804"> at the very start, possibly after blanks; the tag may be
  // written in any letter case, with single or double quotes, and may be closed
  // at the end of the text by </LANG>.
  static const QRegularExpression open(
      QStringLiteral(R"(^\s*<\s*lang\s+langid\s*=\s*(["'])([0-9a-f]{1,4})\1\s*/?\s*>)"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression close(QStringLiteral(R"(<\s*/\s*lang\s*>\s*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
  TaggedText result;
  const QRegularExpressionMatch m = open.match(text);
  if (!m.hasMatch()) {
    result.text = text;
    return result;
  }
  result.tagged = true;
  result.langId = m.captured(2).toUInt(nullptr, 16);
  result.text = text.mid(m.capturedEnd(0));
  const QRegularExpressionMatch c = close.match(result.text);
  if (c.hasMatch()) result.text.truncate(c.capturedStart(0));
  return result;
}

QString VoiceForLangId(unsigned langId) {
  // Sub-languages with a voice of their own come first, then the primary language.
  static const std::map<unsigned, const char*> exact = {
      {0x0804, "cmn"}, {0x0404, "cmn"},   {0x1004, "cmn"}, {0x0C04, "yue"},
      {0x1404, "yue"}, {0x0409, "en-us"}, {0x0809, "en"}, {0x0416, "pt-br"},
      {0x0816, "pt"},  {0x080A, "es-419"}};
  static const std::map<unsigned, const char*> primary = {
      {0x01, "ar"}, {0x02, "bg"}, {0x03, "ca"}, {0x04, "cmn"}, {0x05, "cs"}, {0x06, "da"},
      {0x07, "de"}, {0x08, "el"}, {0x09, "en"}, {0x0A, "es"},  {0x0B, "fi"}, {0x0C, "fr"},
      {0x0D, "he"}, {0x0E, "hu"}, {0x0F, "is"}, {0x10, "it"},  {0x11, "ja"}, {0x12, "ko"},
      {0x13, "nl"}, {0x14, "nb"}, {0x15, "pl"}, {0x16, "pt"},  {0x18, "ro"}, {0x19, "ru"},
      {0x1A, "hr"}, {0x1B, "sk"}, {0x1D, "sv"}, {0x1E, "th"},  {0x1F, "tr"}, {0x21, "id"},
      {0x22, "uk"}, {0x24, "sl"}, {0x25, "et"}, {0x26, "lv"},  {0x27, "lt"}, {0x29, "fa"},
      {0x2A, "vi"}, {0x39, "hi"}, {0x3E, "ms"}, {0x41, "sw"}};
  if (auto it = exact.find(langId); it != exact.end()) return QString::fromLatin1(it->second);
  if (auto it = primary.find(langId & 0x3FF); it != primary.end())
    return QString::fromLatin1(it->second);
  return QString();
}

QString DefaultVoiceName() { return QStringLiteral(ESPEAKNG_DEFAULT_VOICE); }

int WordsPerMinute(int rate) {
  rate = std::clamp(rate, kSpeechRateMin, kSpeechRateMax);
  const double wpm = espeakRATE_NORMAL * std::pow(3.0, rate / 10.0);
  return std::clamp(static_cast<int>(std::lround(wpm)), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

namespace {

bool IsBlank(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

// ---------------------------------------------------------------------------
// The engine: one per process. It is started once, under `startMutex`, before
// any voice exists. It is not reentrant, so one voice at a time synthesises,
// holding `synthMutex`; the callback finds that voice in `speaking`.

// The engine's functions, resolved when the first voice starts it.
struct EspeakFunctions {
  decltype(&espeak_ng_InitializePath) InitializePath = nullptr;
  decltype(&espeak_ng_Initialize) Initialize = nullptr;
  decltype(&espeak_ng_ClearErrorContext) ClearErrorContext = nullptr;
  decltype(&espeak_ng_InitializeOutput) InitializeOutput = nullptr;
  decltype(&espeak_ng_GetStatusCodeMessage) GetStatusCodeMessage = nullptr;
  decltype(&espeak_SetSynthCallback) SetSynthCallback = nullptr;
  decltype(&espeak_ng_GetSampleRate) GetSampleRate = nullptr;
  decltype(&espeak_ListVoices) ListVoices = nullptr;
  decltype(&espeak_ng_SetVoiceByName) SetVoiceByName = nullptr;
  decltype(&espeak_ng_SetParameter) SetParameter = nullptr;
  decltype(&espeak_ng_Synthesize) Synthesize = nullptr;
};

// Opens the engine's library; raises SpeechError when it cannot be used.
const EspeakFunctions& LoadEspeak() {
  static LateLibrary library(QStringLiteral("espeak-ng"), 1);
  static const LateFunctions<EspeakFunctions> engine =
      OpenFunctions<EspeakFunctions>(library, [](FunctionBinder& bind, EspeakFunctions& f) {
        bind(f.InitializePath, "espeak_ng_InitializePath");
        bind(f.Initialize, "espeak_ng_Initialize");
        bind(f.ClearErrorContext, "espeak_ng_ClearErrorContext");
        bind(f.InitializeOutput, "espeak_ng_InitializeOutput");
        bind(f.GetStatusCodeMessage, "espeak_ng_GetStatusCodeMessage");
        bind(f.SetSynthCallback, "espeak_SetSynthCallback");
        bind(f.GetSampleRate, "espeak_ng_GetSampleRate");
        bind(f.ListVoices, "espeak_ListVoices");
        bind(f.SetVoiceByName, "espeak_ng_SetVoiceByName");
        bind(f.SetParameter, "espeak_ng_SetParameter");
        bind(f.Synthesize, "espeak_ng_Synthesize");
      });
  if (!engine.table)
    throw SpeechError(ReaderMessage(QStringLiteral("朗读无法开始：找不到语音引擎。请安装 espeak-ng 和 espeak-ng-data 后再试。"),
                                    QStringLiteral("speech engine library: %1").arg(engine.failure)));
  return *engine.table;
}

struct Engine {
  std::mutex startMutex;
  std::timed_mutex synthMutex;
  bool started = false;
  QString dataPath;
  int sampleRate = 22050;
  QSet<QString> voices;  // file names of the installed voices, lower case
  SpeechVoice* speaking = nullptr;
};

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

QString StatusText(espeak_ng_STATUS status) {
  char buffer[512] = {};
  LoadEspeak().GetStatusCodeMessage(status, buffer, sizeof buffer);
  return QString::fromLocal8Bit(buffer);
}

}  // namespace

// ---------------------------------------------------------------------------
// Sound outputs

class SoundSink {
 public:
  virtual ~SoundSink() = default;
  // Writes mono 16-bit frames; false when the output failed.
  virtual bool Write(const short* samples, int count) = 0;
  // Everything written has been played or stored.
  virtual void Drain() = 0;
  // Drops what has not been played yet.
  virtual void Drop() = 0;
  // How many times faster than real time the output takes sound; 0 = no pacing
  // needed (the output blocks by itself or does not play at all).
  virtual double PaceSpeed() const = 0;
};

namespace {

class PulseSink : public SoundSink {
 public:
  explicit PulseSink(int rate) {
    QString missing;
    pulse_ = LoadPulseSimple(&missing);
    if (!pulse_)
      throw SpeechError(ReaderMessage(
          QStringLiteral("朗读没有声音输出：找不到声音客户端库。请安装 libpulse0 后再试。"),
          QStringLiteral("PulseAudio client library: %1; CQ_SPEECH_WAV=file writes the speech to a WAV file instead")
              .arg(missing)));
    pa_sample_spec spec{};
    spec.format = PA_SAMPLE_S16LE;
    spec.rate = static_cast<uint32_t>(rate);
    spec.channels = 1;
    // A short target buffer, so that pausing and stopping are heard at once.
    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(rate / 5 * 2);  // 200 ms
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    int error = 0;
    pa_ = pulse_->New(nullptr, "Cinnabarquillpad", PA_STREAM_PLAYBACK, nullptr, "Read-aloud",
                      &spec, nullptr, &attr, &error);
    if (!pa_)
      throw SpeechError(ReaderMessage(
          QStringLiteral("朗读没有声音输出：连接不上系统的声音服务。请启动声音服务（PulseAudio 或 PipeWire）后再试。"),
          QStringLiteral("PulseAudio sound server: %1; CQ_SPEECH_WAV=file writes the speech to a WAV file instead")
              .arg(QString::fromLocal8Bit(pulse_->StrError(error)))));
  }
  ~PulseSink() override { pulse_->Free(pa_); }

  bool Write(const short* samples, int count) override {
    int error = 0;
    return pulse_->Write(pa_, samples, static_cast<size_t>(count) * sizeof(short), &error) == 0;
  }
  void Drain() override {
    int error = 0;
    pulse_->Drain(pa_, &error);
  }
  void Drop() override {
    int error = 0;
    pulse_->Flush(pa_, &error);
  }
  double PaceSpeed() const override { return 0; }

 private:
  const PulseSimple* pulse_ = nullptr;
  pa_simple* pa_ = nullptr;
};

// A RIFF WAV file whose header is brought up to date after every write, so the
// file is valid whenever it is read. Voices writing to the same path share it.
class WavSink : public SoundSink {
 public:
  WavSink(const QString& path, int rate) : file_(path), rate_(rate) {
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Truncate))
      throw SpeechError(ReaderMessage(
          QStringLiteral("朗读没有声音输出：声音文件“%1”无法写入。请检查它所在的文件夹是否存在、可写。").arg(path),
          QStringLiteral("WAV file: %1").arg(file_.errorString())));
    WriteHeader();
    const QByteArray speed = qgetenv("CQ_SPEECH_WAV_SPEED");
    bool ok = false;
    const double value = speed.toDouble(&ok);
    speed_ = ok && value >= 0 ? value : 1.0;
  }
  ~WavSink() override { file_.close(); }

  bool Write(const short* samples, int count) override {
    std::lock_guard lock(mutex_);
    std::vector<char> bytes(static_cast<size_t>(count) * 2);
    for (int i = 0; i < count; ++i) qToLittleEndian<qint16>(samples[i], bytes.data() + 2 * i);
    file_.seek(kHeaderSize + dataBytes_);
    if (file_.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size()))
      return false;
    dataBytes_ += static_cast<qint64>(bytes.size());
    WriteHeader();
    return file_.flush();
  }
  void Drain() override {
    std::lock_guard lock(mutex_);
    file_.flush();
  }
  void Drop() override { Drain(); }
  double PaceSpeed() const override { return speed_; }

  static std::shared_ptr<WavSink> Open(const QString& path, int rate) {
    static std::mutex mutex;
    static std::map<QString, std::weak_ptr<WavSink>> open;
    std::lock_guard lock(mutex);
    if (auto sink = open[path].lock()) return sink;
    auto sink = std::make_shared<WavSink>(path, rate);
    open[path] = sink;
    return sink;
  }

 private:
  static constexpr qint64 kHeaderSize = 44;

  void WriteHeader() {
    char h[kHeaderSize];
    const auto put32 = [&](int at, quint32 v) { qToLittleEndian<quint32>(v, h + at); };
    const auto put16 = [&](int at, quint16 v) { qToLittleEndian<quint16>(v, h + at); };
    memcpy(h, "RIFF", 4);
    put32(4, static_cast<quint32>(36 + dataBytes_));
    memcpy(h + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);  // PCM
    put16(22, 1);  // mono
    put32(24, static_cast<quint32>(rate_));
    put32(28, static_cast<quint32>(rate_ * 2));
    put16(32, 2);
    put16(34, 16);
    memcpy(h + 36, "data", 4);
    put32(40, static_cast<quint32>(dataBytes_));
    file_.seek(0);
    file_.write(h, kHeaderSize);
  }

  std::mutex mutex_;
  QFile file_;
  int rate_;
  qint64 dataBytes_ = 0;
  double speed_ = 1.0;
};

// The table of running voices.
std::mutex& RunningMutex() {
  static std::mutex mutex;
  return mutex;
}
std::vector<std::weak_ptr<SpeechVoice>>& RunningVoices() {
  static std::vector<std::weak_ptr<SpeechVoice>> voices;
  return voices;
}

// Per synthesis: whether the current text was stopped, and the pacing clock.
thread_local bool tAborted = false;
thread_local Clock::time_point tPlayhead;

}  // namespace

// ---------------------------------------------------------------------------
// The voice

void SpeechVoice::SetEngineDataPath(const QString& path) {
  Engine& engine = TheEngine();
  std::lock_guard lock(engine.startMutex);
  engine.dataPath = path;
}

SpeechVoice::SpeechVoice() {
  Engine& engine = TheEngine();
  {
    std::lock_guard lock(engine.startMutex);
    if (!engine.started) {
      const EspeakFunctions& espeak = LoadEspeak();
      const QByteArray path = engine.dataPath.toLocal8Bit();
      espeak.InitializePath(path.isEmpty() ? nullptr : path.constData());
      espeak_ng_ERROR_CONTEXT context = nullptr;
      espeak_ng_STATUS status = espeak.Initialize(&context);
      espeak.ClearErrorContext(&context);
      if (status == ENS_OK)
        status = espeak.InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 60, nullptr);
      if (status != ENS_OK)
        throw SpeechError(ReaderMessage(
            QStringLiteral("朗读无法开始：语音引擎的语音数据缺失。请安装 espeak-ng-data 后再试。"),
            QStringLiteral("speech engine voice data: %1").arg(StatusText(status))));
      espeak.SetSynthCallback([](short* samples, int count, espeak_EVENT* events) {
        return EngineCallback(samples, count, events);
      });
      engine.sampleRate = espeak.GetSampleRate();
      for (const espeak_VOICE** v = espeak.ListVoices(nullptr); v && *v; ++v) {
        const QString id = QString::fromLatin1((*v)->identifier);
        engine.voices.insert(id.section(QLatin1Char('/'), -1).toLower());
      }
      engine.started = true;
    }
    sampleRate_ = engine.sampleRate;
    engineVoices_ = engine.voices;
  }
  const QString wav = qEnvironmentVariable("CQ_SPEECH_WAV");
  if (!wav.isEmpty())
    sink_ = WavSink::Open(wav, sampleRate_);
  else
    sink_ = std::make_shared<PulseSink>(sampleRate_);
  worker_ = std::thread([this] { Run(); });
}

std::shared_ptr<SpeechVoice> SpeechVoice::Create() {
  std::shared_ptr<SpeechVoice> voice(new SpeechVoice());
  std::lock_guard lock(RunningMutex());
  RunningVoices().push_back(voice);
  return voice;
}

std::shared_ptr<SpeechVoice> SpeechVoice::Running() {
  std::lock_guard lock(RunningMutex());
  auto& voices = RunningVoices();
  std::erase_if(voices, [](const std::weak_ptr<SpeechVoice>& v) { return v.expired(); });
  for (const auto& v : voices)
    if (auto voice = v.lock()) return voice;
  return nullptr;
}

SpeechVoice::~SpeechVoice() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    queue_.clear();
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
  if (sink_) sink_->Drop();
}

int SpeechVoice::Rate() const {
  std::lock_guard lock(mutex_);
  return rate_;
}

void SpeechVoice::SetRate(int rate) {
  if (rate < kSpeechRateMin || rate > kSpeechRateMax)
    throw SpeechError(QStringLiteral("The speaking rate %1 is outside %2 to %3")
                          .arg(rate)
                          .arg(kSpeechRateMin)
                          .arg(kSpeechRateMax));
  std::lock_guard lock(mutex_);
  rate_ = rate;
}

int SpeechVoice::Speak(const QString& text, int flags) {
  constexpr int known = SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsXML | SVSFIsNotXML;
  if ((flags & ~known) != 0 || ((flags & SVSFIsXML) && (flags & SVSFIsNotXML)))
    throw SpeechError(QStringLiteral("The speak flags %1 are not supported").arg(flags));

  Item item;
  TaggedText tagged;
  if (flags & SVSFIsNotXML)
    tagged.text = text;
  else
    tagged = SplitLanguageTag(text);
  item.text = tagged.text;
  item.voice = tagged.tagged ? VoiceForLangId(tagged.langId) : QString();
  // Never wait for the engine here: another text may be synthesising.
  if (item.voice.isEmpty() || !engineVoices_.contains(item.voice)) item.voice = DefaultVoiceName();

  std::unique_lock lock(mutex_);
  item.stream = nextStream_++;
  if (flags & SVSFPurgeBeforeSpeak) {
    queue_.clear();
    purgeBelow_ = item.stream;
  }
  queue_.push_back(item);
  wake_.notify_all();
  if (!(flags & SVSFlagsAsync))
    wake_.wait(lock, [&] { return quit_ || lastDone_ >= item.stream; });
  return item.stream;
}

void SpeechVoice::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
}

void SpeechVoice::Resume() {
  {
    std::lock_guard lock(mutex_);
    paused_ = false;
  }
  wake_.notify_all();
}

bool SpeechVoice::Paused() const {
  std::lock_guard lock(mutex_);
  return paused_;
}

bool SpeechVoice::Busy() const {
  std::lock_guard lock(mutex_);
  return current_ != 0 || !queue_.empty();
}

bool SpeechVoice::WaitUntilDone(int timeoutMs) const {
  std::unique_lock lock(mutex_);
  return wake_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                        [&] { return quit_ || (current_ == 0 && queue_.empty()); });
}

QList<SpokenText> SpeechVoice::Spoken() const {
  std::lock_guard lock(mutex_);
  return spoken_;
}

qint64 SpeechVoice::FramesOut() const {
  std::lock_guard lock(mutex_);
  return framesOut_;
}

int SpeechVoice::SampleRate() const { return sampleRate_; }

int SpeechVoice::Subscribe(std::function<void(const SpeechEvent&)> subscriber) {
  std::lock_guard lock(subscribersMutex_);
  const int cookie = nextCookie_++;
  subscribers_[cookie] = std::move(subscriber);
  return cookie;
}

void SpeechVoice::Unsubscribe(int cookie) {
  std::lock_guard lock(subscribersMutex_);
  subscribers_.erase(cookie);
}

void SpeechVoice::Emit(const SpeechEvent& event) {
  std::lock_guard lock(subscribersMutex_);
  for (auto& [cookie, subscriber] : subscribers_) subscriber(event);
}

bool SpeechVoice::Stopping() const { return quit_ || current_ < purgeBelow_; }

void SpeechVoice::Run() {
  for (;;) {
    Item item;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return quit_ || !queue_.empty(); });
      if (quit_) return;
      item = queue_.front();
      queue_.pop_front();
      current_ = item.stream;
      spoken_.append(SpokenText{item.stream, item.voice, item.text, false});
    }
    Emit({SpeechEvent::StartStream, item.stream});
    SpeakItem(item);
    bool drained;
    {
      std::lock_guard lock(mutex_);
      drained = queue_.empty() && !quit_;
    }
    if (drained) sink_->Drain();
    {
      std::lock_guard lock(mutex_);
      if (!tAborted && !Stopping()) spoken_.last().completed = true;
    }
    Emit({SpeechEvent::EndStream, item.stream});
    {
      std::lock_guard lock(mutex_);
      current_ = 0;
      lastDone_ = std::max(lastDone_, item.stream);
    }
    wake_.notify_all();
  }
}

void SpeechVoice::SpeakItem(const Item& item) {
  tAborted = false;
  if (IsBlank(item.text)) return;  // a bare language tag: nothing to say
  int rate;
  {
    std::lock_guard lock(mutex_);
    rate = rate_;
    if (Stopping()) {
      tAborted = true;
      return;
    }
  }
  const QByteArray utf8 = item.text.toUtf8();
  Engine& engine = TheEngine();
  // Another voice may hold the engine, even paused: wait for it, but give up
  // as soon as this text is stopped.
  std::unique_lock engineLock(engine.synthMutex, std::defer_lock);
  while (!engineLock.try_lock_for(std::chrono::milliseconds(20))) {
    std::lock_guard lock(mutex_);
    if (Stopping()) {
      tAborted = true;
      return;
    }
  }
  const EspeakFunctions& espeak = LoadEspeak();
  const QByteArray voice = item.voice.toLatin1();
  if (espeak.SetVoiceByName(voice.constData()) != ENS_OK) espeak.SetVoiceByName(ESPEAKNG_DEFAULT_VOICE);
  espeak.SetParameter(espeakRATE, WordsPerMinute(rate), 0);
  engine.speaking = this;
  tPlayhead = Clock::now();
  const espeak_ng_STATUS status =
      espeak.Synthesize(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                        espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, this);
  engine.speaking = nullptr;
  if (status != ENS_OK) tAborted = true;
}

int SpeechVoice::EngineCallback(short* samples, int count, void*) {
  // Called on the synthesising voice's thread, which holds the engine.
  SpeechVoice* voice = TheEngine().speaking;
  if (!voice) return 1;
  return voice->OnSamples(samples, count);
}

int SpeechVoice::OnSamples(const short* samples, int count) {
  {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [&] { return !paused_ || Stopping(); });
    if (Stopping()) {
      tAborted = true;
      return 1;
    }
  }
  if (!samples || count <= 0) return 0;
  if (!sink_->Write(samples, count)) {
    tAborted = true;
    return 1;
  }
  std::unique_lock lock(mutex_);
  framesOut_ += count;
  if (const double speed = sink_->PaceSpeed(); speed > 0) {
    // Hand sound over no faster than a sound card would take it.
    const auto length = std::chrono::duration<double>(count / (sampleRate_ * speed));
    tPlayhead = std::max(tPlayhead, Clock::now()) +
                std::chrono::duration_cast<Clock::duration>(length);
    wake_.wait_until(lock, tPlayhead, [&] { return Stopping(); });
    if (Stopping()) {
      tAborted = true;
      return 1;
    }
  }
  return 0;
}

}  // namespace platform
