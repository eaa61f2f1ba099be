// cq-bench-skin: decoding speed of the compressed layer, in MB/s of
// decompressed output, for the stored default skin and a 1 MiB archive.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>
#include <ctime>

#include "skin/engine/DefaultSkin.h"
#include "skin/core/Lzh.h"
#include "skin/core/SkinElements.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

// Processor time of this process, in seconds: on a busy machine the wall
// clock also counts the time other processes held the processor.
double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

void Measure(const char* label, const QByteArray& file, int minRounds) {
  QElapsedTimer timer;
  timer.start();
  const double cpu0 = CpuSeconds();
  qint64 bytes = 0;
  int rounds = 0;
  while (rounds < minRounds || timer.elapsed() < 1000) {
    bytes += skin::TLZH::DecodeBuffer(file, 1LL << 30).size();
    ++rounds;
  }
  const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  const double cpu = CpuSeconds() - cpu0;
  std::printf("%-34s %8lld -> %8lld bytes  %4d rounds  %8.1f MB/s processor time  %8.1f MB/s wall clock\n", label,
              static_cast<long long>(file.size()), static_cast<long long>(bytes / rounds), rounds,
              static_cast<double>(bytes) / 1e6 / cpu, static_cast<double>(bytes) / 1e6 / seconds);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QByteArray stored = skin::DefaultSkinBytes();
  Measure("default skin", stored, 5);

  // A 1 MiB skin archive: the default skin's archive (bitmaps and INI text)
  // repeated; the 4 KiB ring never reaches back into an earlier copy, so the
  // statistics are those of real skins.
  const QByteArray one = skin::TLZH::DecodeBuffer(stored, 1LL << 30);
  QByteArray archive;
  while (archive.size() < (1 << 20)) archive += one;
  archive.truncate(1 << 20);
  Measure("1 MiB skin archive", skinpack::LzhEncodeFile(archive), 3);

  // Text mixed with incompressible noise: many literals, deep trees.
  QRandomGenerator rng(2014);
  QByteArray mixed;
  while (mixed.size() < (1 << 20)) {
    if (rng.bounded(2)) {
      mixed.append("[Personality]\r\nLeft=FrameLeft.bmp\r\nLeftTopHeight=26\r\n");
    } else {
      for (int i = 0; i < 64; ++i) mixed.append(static_cast<char>(rng.bounded(256)));
    }
  }
  mixed.truncate(1 << 20);
  Measure("1 MiB text and noise", skinpack::LzhEncodeFile(mixed), 3);

  QByteArray noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(rng.bounded(256));
  Measure("1 MiB random bytes (worst case)", skinpack::LzhEncodeFile(noise), 3);

  // The whole load: decode, parse, read every element.
  const double cpu0 = CpuSeconds();
  QElapsedTimer timer;
  timer.start();
  int loads = 0;
  while (timer.elapsed() < 1000 || loads < 3) {
    skin::TSkinElements elements;
    skin::LoadSkinElements(stored, elements);
    ++loads;
  }
  std::printf("%-34s %8.2f ms processor time per load\n", "default skin, full element load",
              (CpuSeconds() - cpu0) * 1e3 / loads);
  return 0;
}
