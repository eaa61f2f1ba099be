#include "tests/speech/WavFile.h"

#include <QFile>
#include <QtEndian>
#include <cmath>

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
  const QByteArray b = file.readAll();
  const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
  const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
  if (b.size() < 44 || !b.startsWith("RIFF") || b.mid(8, 8) != "WAVEfmt ")
    wav.problem = QStringLiteral("no RIFF WAVE header");
  else if (u32(4) != quint32(b.size() - 8))
    wav.problem = QStringLiteral("RIFF size %1 for a file of %2 bytes").arg(u32(4)).arg(b.size());
  else if (u32(16) != 16 || u16(20) != 1 || u16(22) != 1 || u16(34) != 16)
    wav.problem = QStringLiteral("not mono 16-bit PCM");
  else if (b.mid(36, 4) != "data" || u32(40) != quint32(b.size() - 44))
    wav.problem = QStringLiteral("data size %1 for %2 bytes of data").arg(u32(40)).arg(b.size() - 44);
  else if (u32(28) != u32(24) * 2 || u16(32) != 2)
    wav.problem = QStringLiteral("byte rate or block size inconsistent");
  if (!wav.problem.isEmpty()) return wav;
  wav.valid = true;
  wav.sampleRate = int(u32(24));
  const int count = (b.size() - 44) / 2;
  wav.samples.resize(count);
  for (int i = 0; i < count; ++i) wav.samples[i] = qFromLittleEndian<qint16>(b.constData() + 44 + 2 * i);
  return wav;
}

}  // namespace speech_test
