#include "app/library_binding.h"
#include "platform/fake/fake_libraries.h"
#include "platform/fake/fake_module_path.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace stowkeep::app {
namespace {

using platform::fake::FakeLibraries;
using platform::fake::FakeModulePath;
using Journal = std::vector<std::string>;

const std::wstring kExe = L"C:\\App\\Stowkeep(KD-RX710).exe";
const std::wstring kLibrary = L"C:\\App\\Hatchlink.dll";

// The device library's exports, each writing its name to the journal when called.
FakeLibraries::Exports Exports(Journal& journal, std::vector<std::string> names,
                               std::int32_t buttonStatus = 2) {
    FakeLibraries::Exports exports;
    for (const auto& name : names)
        exports[name] = [&journal, name, buttonStatus] {
            journal.push_back(name);
            return name == "ButtonStatus" ? buttonStatus : 1;
        };
    return exports;
}

const std::vector<std::string> kAllExports = {"DllSet", "ButtonStatus", "SafelyRemove", "DllEnd"};

TEST(LibraryBinding, LoadsTheLibraryBesideTheExecutableWhereverThatIs) {
    struct Case {
        std::wstring exe;
        std::wstring library;
    };
    for (const Case& c :
         {Case{L"C:\\Tools\\Device\\Stowkeep(KD-RX710).exe", L"C:\\Tools\\Device\\Hatchlink.dll"},
          Case{L"C:\\Stowkeep(KD-RX710).exe", L"C:\\Hatchlink.dll"}}) {
        Journal journal, elsewhere;
        FakeLibraries libraries;
        libraries.Put(c.library, Exports(journal, kAllExports));
        libraries.Put(L"Hatchlink.dll", Exports(elsewhere, kAllExports)); // the search order's pick
        FakeModulePath module(c.exe);
        LibraryBinding binding(libraries, module);
        binding.Load();
        EXPECT_EQ(binding.Path(), c.library);
        EXPECT_EQ(libraries.LoadCount(c.library), 1);
        EXPECT_EQ(journal, (Journal{"DllSet"}));
        EXPECT_TRUE(elsewhere.empty());
    }
}

TEST(LibraryBinding, CallsLookTheExportUpEveryTime) {
    Journal journal;
    FakeLibraries libraries;
    libraries.Put(kLibrary, Exports(journal, kAllExports, 2));
    FakeModulePath module(kExe);
    LibraryBinding binding(libraries, module);
    binding.Load();

    EXPECT_EQ(binding.Call("ButtonStatus"), 2);
    libraries.Put(kLibrary, Exports(journal, {"ButtonStatus", "DllEnd"}, 0));
    EXPECT_EQ(binding.Call("ButtonStatus"), 0);
    EXPECT_FALSE(binding.Has("SafelyRemove"));
    EXPECT_EQ(binding.Call("SafelyRemove"), std::nullopt);
    EXPECT_EQ(binding.Call("buttonstatus"), std::nullopt); // names are case-sensitive
}

TEST(LibraryBinding, WithoutTheLibraryEveryCallAnswersNothing) {
    FakeLibraries libraries;
    FakeModulePath module(kExe);
    LibraryBinding binding(libraries, module);
    binding.Load();
    EXPECT_FALSE(binding.Loaded());
    EXPECT_FALSE(binding.Has("SafelyRemove"));
    EXPECT_EQ(binding.Call("ButtonStatus"), std::nullopt);
    binding.Unload();
    EXPECT_FALSE(binding.Loaded());
}

TEST(LibraryBinding, ALibraryWithoutDllSetStaysBoundForItsOtherExports) {
    Journal journal;
    FakeLibraries libraries;
    libraries.Put(kLibrary, Exports(journal, {"ButtonStatus"}));
    FakeModulePath module(kExe);
    LibraryBinding binding(libraries, module);
    binding.Load();
    EXPECT_EQ(binding.Call("ButtonStatus"), 2);
    binding.Unload();
    EXPECT_EQ(journal, (Journal{"ButtonStatus"}));
    EXPECT_EQ(libraries.LoadCount(kLibrary), 0);
}

TEST(LibraryBinding, UnloadStopsTheLibraryBeforeReleasingItAndOnlyOnce) {
    for (bool explicitUnload : {true, false}) {
        Journal journal;
        FakeLibraries libraries;
        libraries.Put(kLibrary, Exports(journal, kAllExports));
        FakeModulePath module(kExe);
        {
            LibraryBinding binding(libraries, module);
            binding.Load();
            // DllEnd must run while the library is still loaded.
            libraries.Put(kLibrary, {{"DllEnd", [&] {
                                          journal.push_back(libraries.LoadCount(kLibrary) == 1
                                                                ? "DllEnd while loaded"
                                                                : "DllEnd after release");
                                          return 1;
                                      }}});
            if (explicitUnload) {
                binding.Unload();
                EXPECT_FALSE(binding.Loaded());
                EXPECT_EQ(binding.Call("DllEnd"), std::nullopt);
            }
        }
        EXPECT_EQ(journal, (Journal{"DllSet", "DllEnd while loaded"}));
        EXPECT_EQ(libraries.LoadCount(kLibrary), 0);
    }
}

} // namespace
} // namespace stowkeep::app
