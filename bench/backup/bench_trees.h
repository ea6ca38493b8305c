#pragma once

// The trees both copy benchmarks copy: a few large files, and many small ones
// of varied sizes. Made once through the file seam and kept for later runs.

#include "platform/files.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace stowkeep::bench {

struct TreeShape {
    const char* name;
    int files;
    std::size_t minSize;
    std::size_t maxSize;
    int perFolder; // files per subfolder d0, d1, ...
};

inline constexpr TreeShape kLargeFiles{"large", 4, 50u << 20, 50u << 20, 4};
inline constexpr TreeShape kSmallFiles{"small", 3000, 4u << 10, 64u << 10, 100};
inline constexpr TreeShape kTreeShapes[] = {kLargeFiles, kSmallFiles};

std::wstring Wide(const std::string& text);

// The size of each file of a shape's tree, the same on every run.
std::vector<std::size_t> FileSizes(const TreeShape& shape);
std::uint64_t TreeBytes(const TreeShape& shape);

// Makes folder + shape.name (folder ends with a backslash and exists), unless
// an earlier run completed it. False when the tree cannot be written.
bool MakeTree(platform::FileSystem& files, const std::wstring& folder, const TreeShape& shape);

} // namespace stowkeep::bench
