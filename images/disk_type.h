#pragma once

#include <string>

namespace stowkeep::images {

// The three kinds of image file the enclosure can present as a drive.
enum class DiskType { Floppy, Removable, Fixed };

// What a row of the request list shows and what file it turns into.
struct DiskTypeInfo {
    const wchar_t* label;     // "Disk Type" column of a row
    const wchar_t* extension; // appended to the file name
    const wchar_t* unit;      // unit label beside the size field
};

const DiskTypeInfo& Describe(DiskType type);

// File Create knows a row only by its label; anything it does not recognise is a fixed disk.
const wchar_t* ExtensionForLabel(const std::wstring& label);

// The floppy size is fixed; the size field shows this text while Floppy Disk is selected.
inline constexpr const wchar_t* kFloppySizeText = L"1440";

} // namespace stowkeep::images
