#include "text.h"

int CountSpaces(const char* s) {
  int n = 0;
  for (; *s; ++s)
    if (*s == ' ') ++n;
  return n;
}
