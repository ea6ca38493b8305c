// The program's library search, on the real loader (under Wine): once confined,
// a DLL beside the program is never taken for a bare name, while a full path
// and the system's own DLLs still load. The probe library lies beside this
// test program, where a planted DLL would lie beside the real one.
#include "platform/win32/library_search.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_libraries.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace stowkeep::platform::win32 {
namespace {

constexpr wchar_t kProbeName[] = L"stowkeep_probe.dll";

std::wstring OwnFolder() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

// The setting lasts for the process, so every case runs confined.
class ConfinedLibrarySearch : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ConfineLibrarySearchToSystem()); }
};

TEST_F(ConfinedLibrarySearch, BareNameIsNotTakenFromTheProgramFolder) {
    ASSERT_NE(::GetFileAttributesW((OwnFolder() + L"\\" + kProbeName).c_str()),
              INVALID_FILE_ATTRIBUTES);
    const OwnedModule planted{::LoadLibraryW(kProbeName)};
    EXPECT_FALSE(planted) << "a DLL beside the program was loaded by its bare name";
}

TEST_F(ConfinedLibrarySearch, BareNameIsNotTakenFromTheCurrentFolder) {
    wchar_t previous[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH + 1, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(OwnFolder().c_str()));
    const OwnedModule planted{::LoadLibraryW(kProbeName)};
    ::SetCurrentDirectoryW(previous);
    EXPECT_FALSE(planted) << "a DLL in the current folder was loaded by its bare name";
}

TEST_F(ConfinedLibrarySearch, FullPathStillLoads) {
    const auto library = Win32Libraries{}.Load(OwnFolder() + L"\\" + kProbeName);
    ASSERT_TRUE(library);
    const auto probe = library->Find("StowkeepProbe");
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe(), 7);
}

TEST_F(ConfinedLibrarySearch, SystemLibrariesStillLoadByName) {
    const OwnedModule version{::LoadLibraryW(L"version.dll")};
    EXPECT_TRUE(version);
}

} // namespace
} // namespace stowkeep::platform::win32
