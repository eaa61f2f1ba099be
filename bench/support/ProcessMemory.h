#pragma once
// The resident memory of this process, as Linux reports it in /proc/self/status.
#include <fstream>
#include <string>

namespace bench {

// A figure of the status file in MiB: "VmRSS:" for the memory resident now,
// "VmHWM:" for the peak so far; 0 when missing.
inline double StatusMiB(const std::string& key) {
  std::ifstream status("/proc/self/status");
  for (std::string word; status >> word;) {
    if (word != key) continue;
    double kb = 0;
    status >> kb;
    return kb / 1024.0;
  }
  return 0;
}

}  // namespace bench
