#pragma once
// Reads the WAV files the speech voice writes, checking their structure.
#include <QString>
#include <vector>

namespace speech_test {

struct Wav {
  bool valid = false;
  QString problem;        // why it is not valid
  int sampleRate = 0;
  std::vector<short> samples;

  double Seconds() const { return sampleRate ? double(samples.size()) / sampleRate : 0; }
  // Root mean square of the samples, 0 for none.
  double Rms() const;
};

// A mono 16-bit PCM RIFF file whose chunk sizes agree with the file's length.
Wav ReadWav(const QString& path);

}  // namespace speech_test
