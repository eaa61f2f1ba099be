#pragma once
// The font engine maps each font file it opens and reads glyph outlines
// straight from the mapping. Looking up thousands of CJK characters (the
// glyph warm-up, a large result's texts) leaves megabytes of those files
// resident in the process, pages it may never read again.
#include <cstddef>
#include <string_view>

namespace platform {

// Whether `path` names a font file by its extension (.ttf, .ttc, .otf, .otc, any case).
bool IsFontFile(std::string_view path);

// Lets go of this process's resident pages of the read-only mappings of font
// files: they are clean copies of the files, so the next read of one comes
// back from the system's file cache, as after the kernel's own reclaim, and
// reads the same bytes. Returns the bytes of the mappings let go of.
size_t ReleaseFontPages();

}  // namespace platform
