// The range checks look only far from the ends: the weak test the runner must find.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "range.h"

static int failures = 0;

static void Check(bool ok, const char* what) {
  if (!ok) {
    std::printf("failed: %s\n", what);
    ++failures;
  }
}

int main() {
  Check(InRange(5, 0, 10), "inside");
  Check(!InRange(-3, 0, 10), "below");
  Check(!InRange(20, 0, 10), "above");
  Check(Clamp(-3, 0, 10) == 0 && Clamp(0, 0, 10) == 0 && Clamp(10, 0, 10) == 10, "clamp ends");
  Check(Clamp(20, 0, 10) == 10 && Clamp(7, 0, 10) == 7 && Clamp(11, 0, 10) == 10, "clamp");
  Check(Midpoint(3, 8) == 5 && Midpoint(4, 8) == 6, "midpoint rounds down");
  // A little time, so that a signal can find the runner inside a test.
  if (const char* wait = std::getenv("SAMPLE_TEST_PAUSE")) {
    struct timespec t = {0, std::atoi(wait) * 1000000L};
    nanosleep(&t, nullptr);
  }
  return failures == 0 ? 0 : 1;
}
