#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace stowkeep::images {

inline constexpr std::int64_t kKilobyte = 1024;
inline constexpr std::int64_t kGigabyte = 1073741824;
// Largest file a FAT32 volume can hold, as the Add check counts it (4095 MB).
inline constexpr std::int64_t kFat32Limit = 4293918720;

// Bytes per unit: "KB" is 1024, every other unit text a gigabyte.
std::int64_t UnitBytes(const std::wstring& unit);

// The size field's text read as a 32-bit signed whole number (blanks around it allowed);
// nothing for text that is not one.
std::optional<std::int32_t> ParseSizeField(const std::wstring& text);

// A row's "File Size" text ("1440 KB", "20 GB") in bytes: the unit is its last two
// characters, the number is the rest, blanks removed from both. Nothing when the number
// cannot be read or the product does not fit.
std::optional<std::int64_t> RowSizeInBytes(const std::wstring& sizeText);

} // namespace stowkeep::images
