#include <cstdio>

#include "text.h"

int main() {
  const bool ok = CountSpaces("a b  c") == 3 && CountSpaces("") == 0 && CountSpaces(" ") == 1;
  if (!ok) std::printf("failed: spaces\n");
  return ok ? 0 : 1;
}
