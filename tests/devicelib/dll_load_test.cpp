// The shipped Hatchlink.dll, loaded by full path as the main program loads it, on
// a machine without the enclosure.

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

using Export = int (*)();

std::wstring LibraryBesideThisProgram() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"Hatchlink.dll";
}

Export Find(HMODULE module, const char* name) {
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Without an enclosure every poll publishes 0, so ButtonStatus is asked only
// before DllSet, where it gives the value the library was loaded with.
TEST(HatchlinkDll, RunsAndStopsWithoutEnclosure) {
    const std::wstring path = LibraryBesideThisProgram();
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr) << "LoadLibraryW failed with " << GetLastError();
    const Export dllSet = Find(module, "DllSet");
    const Export buttonStatus = Find(module, "ButtonStatus");
    const Export safelyRemove = Find(module, "SafelyRemove");
    const Export dllEnd = Find(module, "DllEnd");
    ASSERT_TRUE(dllSet && buttonStatus && safelyRemove && dllEnd);

    EXPECT_EQ(buttonStatus(), 0);
    EXPECT_NE(dllSet(), 0);
    EXPECT_EQ(dllSet(), 0) << "a second DllSet while the poll runs";
    EXPECT_EQ(safelyRemove(), 0);
    EXPECT_EQ(dllEnd(), -1);
    EXPECT_NE(dllSet(), 0) << "a new run after DllEnd";
    EXPECT_EQ(dllEnd(), -1);

    EXPECT_NE(FreeLibrary(module), 0);
}

} // namespace
