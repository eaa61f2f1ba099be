#include "platform/FontPages.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace platform {

bool IsFontFile(std::string_view path) {
  static constexpr std::array<std::string_view, 4> kExtensions = {".ttf", ".ttc", ".otf", ".otc"};
  if (path.size() < 4) return false;
  const std::string_view tail = path.substr(path.size() - 4);
  return std::any_of(kExtensions.begin(), kExtensions.end(), [&](std::string_view ext) {
    return std::equal(tail.begin(), tail.end(), ext.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
  });
}

size_t ReleaseFontPages() {
  // A line of /proc/self/maps: "start-end perms offset dev inode path".
  std::ifstream maps("/proc/self/maps");
  size_t released = 0;
  for (std::string line; std::getline(maps, line);) {
    std::istringstream fields(line);
    std::string range, perms, offset, device, inode, path;
    if (!(fields >> range >> perms >> offset >> device >> inode)) continue;
    std::getline(fields >> std::ws, path);  // a path may hold blanks
    // Only mappings nothing can have written to: their pages equal the file's.
    if (perms.size() < 4 || perms[0] != 'r' || perms[1] != '-' || !IsFontFile(path)) continue;
    unsigned long start = 0, end = 0;
    if (std::sscanf(range.c_str(), "%lx-%lx", &start, &end) != 2 || end <= start) continue;
    if (madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED) == 0) released += end - start;
  }
  return released;
}

}  // namespace platform
