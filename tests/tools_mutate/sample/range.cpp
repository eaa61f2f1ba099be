#include "range.h"

// "a < b" in a comment is no site, nor is "x + 1" in a string.
bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

int Clamp(int v, int lo, int hi) {
  if (v < lo) return lo;
  if (v > hi) return hi;
  return v;
}

int Midpoint(int a, int b) { return (a + b) / 2; }
