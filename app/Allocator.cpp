#include "app/Allocator.h"

#include <malloc.h>

namespace app {

void SetUpAllocator() { mallopt(M_MXFAST, 0); }

}  // namespace app
