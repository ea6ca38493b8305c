// The form in which the Win32 side hands a path to the system.

#include "platform/long_path.h"

#include <gtest/gtest.h>
#include <string>

namespace stowkeep::platform {
namespace {

// Items of 50 characters: five of them take a path past every plain limit.
const std::wstring kItem(50, L'd');
const std::wstring kDeep = kItem + L"\\" + kItem + L"\\" + kItem + L"\\" + kItem + L"\\" + kItem;

struct FormCase {
    const char* name;
    std::wstring path;
    std::wstring expected;
};

TEST(LongPathForm, NamesTheSameFileAsThePlainPathAtAnyLength) {
    const std::wstring atFolderLimit = L"C:\\" + std::wstring(kMaxPlainFolderPath - 3, L'f');
    const std::wstring pastFolderLimit = atFolderLimit + L"g";
    const FormCase cases[] = {
        {"short drive path", L"E:\\backup\\Data", L"E:\\backup\\Data"},
        {"short path keeps its doubled backslash", L"E:\\\\backup", L"E:\\\\backup"},
        {"short path keeps its slashes", L"E:/backup/Data", L"E:/backup/Data"},
        {"at the folder limit", atFolderLimit, atFolderLimit},
        {"one past the folder limit", pastFolderLimit, L"\\\\?\\" + pastFolderLimit},
        {"deep drive path", L"E:\\backup\\" + kDeep, L"\\\\?\\E:\\backup\\" + kDeep},
        {"trailing backslash kept", L"e:\\" + kDeep + L"\\", L"\\\\?\\e:\\" + kDeep + L"\\"},
        {"slashes become backslashes", L"E:/backup/" + kDeep, L"\\\\?\\E:\\backup\\" + kDeep},
        {"runs of separators become one", L"E:\\\\backup\\/\\" + kDeep,
         L"\\\\?\\E:\\backup\\" + kDeep},
        {"share", L"\\\\nas\\photos\\" + kDeep, L"\\\\?\\UNC\\nas\\photos\\" + kDeep},
        {"share written with slashes", L"//nas/photos/" + kDeep,
         L"\\\\?\\UNC\\nas\\photos\\" + kDeep},
        {"already long form", L"\\\\?\\E:\\" + kDeep, L"\\\\?\\E:\\" + kDeep},
        {"device namespace", L"\\\\.\\E:\\" + kDeep, L"\\\\.\\E:\\" + kDeep},
        {"relative path", kDeep, kDeep},
        {"drive-relative path", L"E:" + kDeep, L"E:" + kDeep},
        {"rooted path without a drive", L"\\" + kDeep, L"\\" + kDeep},
        {"share without a share name", L"\\\\nas\\\\" + kDeep, L"\\\\nas\\\\" + kDeep},
        {"not a drive letter", L"1:\\" + kDeep, L"1:\\" + kDeep},
        {"dot item", L"E:\\" + kDeep + L"\\.\\x", L"E:\\" + kDeep + L"\\.\\x"},
        {"dot-dot item", L"E:\\" + kDeep + L"\\..\\x", L"E:\\" + kDeep + L"\\..\\x"},
        {"item ending in a dot", L"E:\\" + kDeep + L"\\x.", L"E:\\" + kDeep + L"\\x."},
        {"folder ending in a blank", L"E:\\" + kDeep + L" \\x", L"E:\\" + kDeep + L" \\x"},
        {"three dots are a name the system keeps", L"E:\\" + kDeep + L"\\...x",
         L"\\\\?\\E:\\" + kDeep + L"\\...x"},
        {"device name last", L"E:\\" + kDeep + L"\\nul.txt", L"E:\\" + kDeep + L"\\nul.txt"},
        {"numbered device name last", L"E:\\" + kDeep + L"\\Com7", L"E:\\" + kDeep + L"\\Com7"},
        {"device-like names that are not devices", L"E:\\" + kDeep + L"\\nul\\CONSOLE.txt",
         L"\\\\?\\E:\\" + kDeep + L"\\nul\\CONSOLE.txt"},
        {"COM0 is not a device", L"E:\\" + kDeep + L"\\COM0", L"\\\\?\\E:\\" + kDeep + L"\\COM0"},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LongPathForm(c.path), c.expected);
    }
}

} // namespace
} // namespace stowkeep::platform
