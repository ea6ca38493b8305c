#include "images/disk_type.h"

namespace stowkeep::images {

const DiskTypeInfo& Describe(DiskType type) {
    static const DiskTypeInfo floppy{L"Floppy Disk", L".ima", L"KB"};
    static const DiskTypeInfo removable{L"Removable Disk", L".rmd", L"GB"};
    static const DiskTypeInfo fixed{L"Fixed Disk", L".dsk", L"GB"};
    switch (type) {
    case DiskType::Floppy:
        return floppy;
    case DiskType::Removable:
        return removable;
    case DiskType::Fixed:
        break;
    }
    return fixed;
}

const wchar_t* ExtensionForLabel(const std::wstring& label) {
    for (DiskType type : {DiskType::Floppy, DiskType::Removable}) {
        if (label == Describe(type).label) {
            return Describe(type).extension;
        }
    }
    return Describe(DiskType::Fixed).extension;
}

} // namespace stowkeep::images
