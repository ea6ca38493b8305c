#pragma once

#include <string>

namespace stowkeep::images {

// The typed name becomes Folder + "\" + name + extension, so it must be a single plain
// file name: no separators or drive colon (which would leave the folder or open an
// alternate data stream), no character Windows refuses, no "." or "..", and no device
// name such as CON or COM1 (which Windows opens as the device, whatever the extension).
bool IsUsableFileName(const std::wstring& name);

inline constexpr const wchar_t* kUnusableFileNameMessage =
    L"Please write File Name without \\ / : * ? \" < > | that is not . or .. "
    L"or a device name (CON, NUL, COM1, ...).";

} // namespace stowkeep::images
