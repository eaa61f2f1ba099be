#pragma once
// Playing short sound clips (RIFF WAV, PCM) synchronously: the call returns once
// the clip has been heard. Sound goes to PulseAudio; where there is no sound
// server or device the call is silent. Tests install a recording sink.
#include <QByteArray>
#include <memory>
#include <optional>

namespace platform {

// The PCM samples of a WAV clip and their format.
struct WavClip {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  QByteArray samples;
};

// Reads a RIFF WAV image: PCM (format 1), 8 or 16 bits, 1 or 2 channels. Chunks
// are followed only within the bytes given; anything malformed gives nothing.
std::optional<WavClip> ParseWav(const QByteArray& bytes);

// Where clips are played.
class SoundSink {
 public:
  virtual ~SoundSink() = default;
  // Plays the clip and returns when it has finished; false when nothing was heard.
  virtual bool Play(const WavClip& clip) = 0;
};

// The PulseAudio sink: one playback stream per clip, drained before returning.
class PulseSoundSink : public SoundSink {
 public:
  bool Play(const WavClip& clip) override;
};

SoundSink& CurrentSoundSink();
std::unique_ptr<SoundSink> SetSoundSink(std::unique_ptr<SoundSink> sink);

// Plays a WAV image from memory synchronously; false when it is not a playable
// clip or nothing could be heard.
bool PlaySoundSync(const QByteArray& wav);

}  // namespace platform
