// Letting go of the resident pages of mapped font files: read-only mappings of
// files named as fonts leave the resident set and read the same afterwards;
// other files' mappings, and a font file's mapping that was written to, keep
// their pages.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/FontPages.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr size_t kBytes = 16 * 4096 + 123;  // the last page only partly the file's

// The resident kilobytes of the mapping that starts at `at`, from /proc/self/smaps.
long ResidentKiB(const void* at) {
  char start[32];
  std::snprintf(start, sizeof start, "%lx-", reinterpret_cast<unsigned long>(at));
  std::ifstream smaps("/proc/self/smaps");
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    if (line.rfind(start, 0) == 0) inside = true;
    else if (inside && line.rfind("Rss:", 0) == 0) return std::stol(line.substr(4));
  }
  return -1;
}

struct Mapping {
  char* bytes = nullptr;
  ~Mapping() {
    if (bytes) munmap(bytes, kBytes);
  }
};

void Map(const QString& path, bool writable, Mapping& m) {
  const int fd = open(path.toLocal8Bit().constData(), writable ? O_RDWR : O_RDONLY);
  ASSERT_GE(fd, 0) << path.toStdString();
  void* at = mmap(nullptr, kBytes, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  ASSERT_NE(at, MAP_FAILED);
  m.bytes = static_cast<char*>(at);
  volatile char sum = 0;
  for (size_t i = 0; i < kBytes; i += 4096) sum = sum + m.bytes[i];
}

}  // namespace

TEST(FontPages, FontFilesAreToldByTheirExtensionInAnyCase) {
  const struct {
    const char* path;
    bool font;
  } cases[] = {{"/usr/share/fonts/a.ttf", true}, {"B.TTC", true},      {"c.Otf", true},  {"d.otC", true},
               {".ttf", true},                   {"ttf", false},        {"e.tt", false},  {"f.ttfx", false},
               {"g.pfb", false},                 {"h.ttf (deleted)", false}, {"i.otb", false}, {"", false}};
  for (const auto& c : cases) EXPECT_EQ(platform::IsFontFile(c.path), c.font) << c.path;
}

TEST(FontPages, ReadOnlyFontMappingsLeaveTheResidentSetAndReadTheSame) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QByteArray content(kBytes, '\0');
  for (size_t i = 0; i < kBytes; ++i) content[static_cast<qsizetype>(i)] = static_cast<char>((i * 131 + i / 4096) & 0xff);
  const QString font = dir.filePath(QStringLiteral("Face Regular.TTC"));  // a blank and capitals
  const QString other = dir.filePath(QStringLiteral("words.txt"));
  const QString written = dir.filePath(QStringLiteral("edited.ttf"));
  for (const QString& path : {font, other, written}) testing_support::WriteFile(path, content);

  Mapping fontMap, otherMap, writtenMap;
  Map(font, false, fontMap);
  Map(other, false, otherMap);
  Map(written, true, writtenMap);
  writtenMap.bytes[5000] = 'W';  // a private copy of that page now: only it holds the byte
  ASSERT_EQ(ResidentKiB(fontMap.bytes), 68);

  EXPECT_GE(platform::ReleaseFontPages(), kBytes);
  EXPECT_EQ(ResidentKiB(fontMap.bytes), 0);
  EXPECT_EQ(ResidentKiB(otherMap.bytes), 68);
  EXPECT_EQ(ResidentKiB(writtenMap.bytes), 68);
  EXPECT_EQ(writtenMap.bytes[5000], 'W');
  EXPECT_EQ(std::memcmp(fontMap.bytes, content.constData(), kBytes), 0);
}
