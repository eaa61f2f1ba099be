// Reading WAV clips safely, and playing them through the installed sink.
#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include "controls/styled/QexButton.h"
#include "platform/Sound.h"

namespace {

QByteArray Wav(int channels, int rate, int bits, const QByteArray& samples) {
  QByteArray fmt(16, '\0');
  qToLittleEndian<quint16>(1, fmt.data());
  qToLittleEndian<quint16>(channels, fmt.data() + 2);
  qToLittleEndian<quint32>(rate, fmt.data() + 4);
  qToLittleEndian<quint32>(rate * channels * bits / 8, fmt.data() + 8);
  qToLittleEndian<quint16>(channels * bits / 8, fmt.data() + 12);
  qToLittleEndian<quint16>(bits, fmt.data() + 14);
  QByteArray body = "WAVEfmt " + QByteArray(4, '\0') + fmt + "data" + QByteArray(4, '\0') + samples;
  qToLittleEndian<quint32>(16, body.data() + 8);
  qToLittleEndian<quint32>(samples.size(), body.data() + 4 + 8 + 16 + 4);
  QByteArray riff = "RIFF" + QByteArray(4, '\0') + body;
  qToLittleEndian<quint32>(body.size(), riff.data() + 4);
  return riff;
}

class CountingSink : public platform::SoundSink {
 public:
  explicit CountingSink(int* count) : count_(count) {}
  bool Play(const platform::WavClip&) override { return ++*count_ > 0; }

 private:
  int* count_;
};

}  // namespace

TEST(Sound, HoverClipFormat) {
  const QByteArray wav = styled::TQexButton::HoverSound();
  ASSERT_EQ(wav.size(), 2578);
  const auto clip = platform::ParseWav(wav);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(clip->channels, 1);
  EXPECT_EQ(clip->sampleRate, 22050);
  EXPECT_EQ(clip->bitsPerSample, 16);
  EXPECT_NEAR(clip->samples.size() / 2 * 1000.0 / 22050, 58, 1);
}

TEST(Sound, MalformedClipsGiveNothingAndNeverReadPastTheBytes) {
  const QByteArray good = Wav(2, 8000, 16, QByteArray(400, '\x10'));
  ASSERT_TRUE(platform::ParseWav(good).has_value());
  EXPECT_EQ(platform::ParseWav(good)->samples.size(), 400);
  EXPECT_FALSE(platform::ParseWav(QByteArray()).has_value());
  EXPECT_FALSE(platform::ParseWav(QByteArray("RIFF\x04\0\0\0WAVE", 12)).has_value());
  EXPECT_FALSE(platform::ParseWav(Wav(1, 8000, 24, QByteArray(30, 'a'))).has_value());  // unsupported depth
  EXPECT_FALSE(platform::ParseWav(Wav(0, 8000, 16, QByteArray(30, 'a'))).has_value());
  // Every truncation of a good clip parses to at most what is there.
  for (int n = 0; n < good.size(); ++n) {
    const auto clip = platform::ParseWav(good.left(n));
    if (clip) {
      EXPECT_LE(clip->samples.size(), n - 44);
    }
  }
  // A data size far beyond the file keeps to the bytes present, in whole frames.
  QByteArray overstated = good.left(44 + 101);
  qToLittleEndian<quint32>(0x7FFFFFF0u, overstated.data() + 40);
  qToLittleEndian<quint32>(0x7FFFFFF0u, overstated.data() + 4);
  const auto clip = platform::ParseWav(overstated);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(clip->samples.size(), 100);
  // A chunk that claims more than the file holds ends the walk.
  QByteArray bad = good;
  qToLittleEndian<quint32>(0xFFFFFF00u, bad.data() + 16);
  EXPECT_FALSE(platform::ParseWav(bad).has_value());
}

TEST(Sound, PlaysThroughTheInstalledSink) {
  int count = 0;
  auto previous = platform::SetSoundSink(std::make_unique<CountingSink>(&count));
  EXPECT_TRUE(platform::PlaySoundSync(Wav(1, 22050, 16, QByteArray(100, '\0'))));
  EXPECT_FALSE(platform::PlaySoundSync(QByteArray("not a clip")));
  EXPECT_EQ(count, 1);
  platform::SetSoundSink(std::move(previous));
}
