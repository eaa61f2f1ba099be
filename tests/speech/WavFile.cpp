#include "tests/speech/WavFile.h"

#include <QFile>
#include <cmath>
#include <cstring>

namespace speech_test {

double Wav::Rms() const {
  if (samples.empty()) return 0;
  double sum = 0;
  for (short s : samples) sum += double(s) * s;
  return std::sqrt(sum / samples.size());
}

Wav ReadWav(const QString& path) {
  Wav wav;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    wav.problem = QStringLiteral("cannot open");
    return wav;
  }
  const QByteArray bytes = file.readAll();
  const std::vector<unsigned char> b(bytes.begin(), bytes.end());
  const qint64 size = qint64(b.size());
  const auto u16 = [&](size_t at) { return quint32(b[at] | b[at + 1] << 8); };
  const auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  const auto tag = [&](size_t at, const char* text) { return memcmp(b.data() + at, text, 4) == 0; };
  if (size < 44 || !tag(0, "RIFF") || !tag(8, "WAVE") || !tag(12, "fmt "))
    wav.problem = QStringLiteral("no RIFF WAVE header");
  else if (u32(4) != size - 8)
    wav.problem = QStringLiteral("RIFF size %1 for a file of %2 bytes").arg(u32(4)).arg(size);
  else if (u32(16) != 16 || u16(20) != 1 || u16(22) != 1 || u16(34) != 16)
    wav.problem = QStringLiteral("not mono 16-bit PCM");
  else if (!tag(36, "data") || u32(40) != size - 44)
    wav.problem = QStringLiteral("data size %1 for %2 bytes of data").arg(u32(40)).arg(size - 44);
  else if (u32(28) != u32(24) * 2 || u16(32) != 2)
    wav.problem = QStringLiteral("byte rate or block size inconsistent");
  if (!wav.problem.isEmpty()) return wav;
  wav.valid = true;
  wav.sampleRate = int(u32(24));
  wav.samples.resize(size_t(size - 44) / 2);
  for (size_t i = 0; i < wav.samples.size(); ++i) wav.samples[i] = short(u16(44 + 2 * i));
  return wav;
}

}  // namespace speech_test
