// cq-bench-skin: decoding speed of the compressed layer, in MB/s of
// decompressed output, for the stored default skin and a 1 MiB archive.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>
#include <ctime>

#include "skin/DefaultSkin.h"
#include "skin/Lzh.h"
#include "skin/SkinElements.h"
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

  // A 1 MiB archive-like mix: bitmap-like runs, text and noise.
  QByteArray archive;
  QRandomGenerator rng(2014);
  while (archive.size() < (1 << 20)) {
    switch (rng.bounded(3)) {
      case 0: archive.append(QByteArray(static_cast<int>(rng.bounded(200)), static_cast<char>(rng.bounded(256)))); break;
      case 1: archive.append("[Personality]\r\nLeft=FrameLeft.bmp\r\nLeftTopHeight=26\r\n"); break;
      default:
        for (int i = 0; i < 64; ++i) archive.append(static_cast<char>(rng.bounded(256)));
        break;
    }
  }
  archive.truncate(1 << 20);
  Measure("1 MiB mixed archive", skinpack::LzhEncodeFile(archive), 3);

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
