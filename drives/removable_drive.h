#pragma once

#include <memory>
#include <string>
#include <vector>

namespace stowkeep::drives {

// One volume on an external bus (USB or IEEE 1394).
struct TRemovableDrive {
    // First mount path with its trailing backslash (F:\ or C:\mnt\usb\ for example).
    std::wstring MountPath;
    std::wstring VendorId; // vendor identification of the volume's device, trimmed

    bool operator==(const TRemovableDrive&) const = default;
};

// The entries of one scan. A published list is never changed, so a reader
// that holds it keeps valid entries while later scans replace it.
using TDriveList = std::shared_ptr<const std::vector<TRemovableDrive>>;

} // namespace stowkeep::drives
