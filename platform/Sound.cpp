#include "platform/Sound.h"

#include <QtEndian>

#include "platform/PulseSimple.h"

namespace platform {
namespace {

quint32 U32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 U16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

std::unique_ptr<SoundSink>& SinkSlot() {
  static std::unique_ptr<SoundSink> sink = std::make_unique<PulseSoundSink>();
  return sink;
}

}  // namespace

std::optional<WavClip> ParseWav(const QByteArray& bytes) {
  if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return std::nullopt;
  // The RIFF size may overstate the data; never read past what we hold.
  const qsizetype end = std::min<qsizetype>(bytes.size(), 8 + static_cast<qsizetype>(U32(bytes, 4)));
  WavClip clip;
  bool haveFormat = false, haveData = false;
  qsizetype at = 12;
  while (at + 8 <= end) {
    const QByteArray id = bytes.mid(at, 4);
    const qsizetype size = U32(bytes, at + 4);
    const qsizetype body = at + 8;
    if (size > end - body) {
      if (id != "data") break;
    }
    const qsizetype available = std::min<qsizetype>(size, end - body);
    if (id == "fmt ") {
      if (available < 16) return std::nullopt;
      if (U16(bytes, body) != 1) return std::nullopt;  // PCM only
      clip.channels = U16(bytes, body + 2);
      clip.sampleRate = static_cast<int>(U32(bytes, body + 4));
      clip.bitsPerSample = U16(bytes, body + 14);
      haveFormat = true;
    } else if (id == "data") {
      clip.samples = bytes.mid(body, available);
      haveData = true;
    }
    at = body + available + (available & 1);
  }
  if (!haveFormat || !haveData) return std::nullopt;
  if (clip.channels < 1 || clip.channels > 2 || clip.sampleRate < 1000 || clip.sampleRate > 192000 ||
      (clip.bitsPerSample != 8 && clip.bitsPerSample != 16))
    return std::nullopt;
  const int frame = clip.channels * clip.bitsPerSample / 8;
  clip.samples.truncate(clip.samples.size() - clip.samples.size() % frame);
  return clip;
}

bool PulseSoundSink::Play(const WavClip& clip) {
  if (clip.samples.isEmpty()) return false;
  const PulseSimple* pulse = LoadPulseSimple();
  if (!pulse) return false;  // no sound client installed: silent
  pa_sample_spec spec;
  spec.format = clip.bitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
  spec.channels = static_cast<uint8_t>(clip.channels);
  spec.rate = static_cast<uint32_t>(clip.sampleRate);
  int error = 0;
  pa_simple* stream =
      pulse->New(nullptr, "Cinnabarquillpad", PA_STREAM_PLAYBACK, nullptr, "sound", &spec, nullptr, nullptr, &error);
  if (!stream) return false;  // no sound server or device: silent
  bool ok = pulse->Write(stream, clip.samples.constData(), static_cast<size_t>(clip.samples.size()), &error) == 0;
  ok = ok && pulse->Drain(stream, &error) == 0;
  pulse->Free(stream);
  return ok;
}

SoundSink& CurrentSoundSink() { return *SinkSlot(); }

std::unique_ptr<SoundSink> SetSoundSink(std::unique_ptr<SoundSink> sink) {
  std::unique_ptr<SoundSink> previous = std::move(SinkSlot());
  SinkSlot() = sink ? std::move(sink) : std::make_unique<PulseSoundSink>();
  return previous;
}

bool PlaySoundSync(const QByteArray& wav) {
  const std::optional<WavClip> clip = ParseWav(wav);
  if (!clip) return false;
  return CurrentSoundSink().Play(*clip);
}

}  // namespace platform
