// Letting go of mapped font files' resident pages: only read-only mappings of
// files named as fonts go, and they read the same afterwards.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/FontPages.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr size_t kBytes = 16 * 4096 + 123;  // 17 pages, the last one partly the file's

// The resident kilobytes of the mapping at `at`, from /proc/self/smaps.
long ResidentKiB(const char* at) {
  const std::string start = (std::ostringstream() << std::hex << reinterpret_cast<uintptr_t>(at) << '-').str();
  std::ifstream smaps("/proc/self/smaps");
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    if (line.rfind(start, 0) == 0) inside = true;
    else if (inside && line.rfind("Rss:", 0) == 0) return std::stol(line.substr(4));
  }
  return -1;
}

// The file mapped privately, every page read once; written too when `writable`.
char* MapAndTouch(const QString& path, bool writable) {
  const int fd = open(path.toLocal8Bit().constData(), writable ? O_RDWR : O_RDONLY);
  void* at = mmap(nullptr, kBytes, PROT_READ | (writable ? PROT_WRITE : 0), MAP_PRIVATE, fd, 0);
  close(fd);
  auto* bytes = static_cast<char*>(at);
  volatile char sum = 0;
  for (size_t i = 0; i < kBytes; i += 4096) sum = sum + bytes[i];
  if (writable) bytes[5000] = 'W';  // that page is now a private copy: only it holds the byte
  return bytes;
}

}  // namespace

TEST(FontPages, OnlyReadOnlyFontMappingsLeaveTheResidentSet) {
  for (const char* path : {"/a.ttf", "B.TTC", "c.Otf", "d.otC"}) EXPECT_TRUE(platform::IsFontFile(path)) << path;
  for (const char* path : {"ttf", "e.tt", "f.ttfx", "g.pfb", "h.ttf (deleted)", ""}) EXPECT_FALSE(platform::IsFontFile(path)) << path;

  QTemporaryDir dir;
  QByteArray content(kBytes, '\0');
  for (size_t i = 0; i < kBytes; ++i) content[static_cast<qsizetype>(i)] = static_cast<char>(i * 131 + i / 4096);
  const QString font = dir.filePath(QStringLiteral("Face Regular.TTC")), other = dir.filePath(QStringLiteral("words.txt")),
                written = dir.filePath(QStringLiteral("edited.ttf"));
  for (const QString& path : {font, other, written}) testing_support::WriteFile(path, content);
  char* const mapped[] = {MapAndTouch(font, false), MapAndTouch(other, false), MapAndTouch(written, true)};
  ASSERT_EQ(ResidentKiB(mapped[0]), 68);

  EXPECT_GE(platform::ReleaseFontPages(), kBytes);
  EXPECT_EQ(ResidentKiB(mapped[0]), 0);
  EXPECT_EQ(ResidentKiB(mapped[1]), 68);
  EXPECT_EQ(ResidentKiB(mapped[2]), 68);
  EXPECT_EQ(mapped[2][5000], 'W');
  EXPECT_EQ(std::memcmp(mapped[0], content.constData(), kBytes), 0);
  for (char* bytes : mapped) munmap(bytes, kBytes);
}
