#pragma once
// How the program's memory allocator is set up, before anything is allocated.

namespace app {

// The allocator merges each freed small block with its neighbours at once
// instead of keeping such blocks aside until a large request comes and then
// merging all of them together: the hundreds of thousands of blocks of a
// large table, freed a slice at a time after it is cleared, would otherwise be
// merged all at once by whatever large allocation comes next (a sort, say),
// keeping the window busy for tens of milliseconds there.
void SetUpAllocator();

}  // namespace app
