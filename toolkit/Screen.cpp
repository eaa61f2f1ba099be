#include "toolkit/Screen.h"

namespace toolkit {

Screen& TheScreen() {
  static Screen screen;
  return screen;
}

}  // namespace toolkit
