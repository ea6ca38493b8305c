#pragma once

#include "platform/libraries.h"
#include "platform/module_path.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace stowkeep::app {

inline constexpr std::wstring_view kDeviceLibraryName = L"Hatchlink.dll";

// The binding of the device library. The library is loaded by its full path
// beside the executable, never through the search order, and every export is
// looked up anew at the moment it is called.
//
// A library that is missing, or lacks an export, is not an error for the rest
// of the program: such a call simply answers nothing, and each caller decides
// what that means for its command.
class LibraryBinding {
  public:
    LibraryBinding(platform::Libraries& libraries, const platform::ModulePath& module);
    ~LibraryBinding();
    LibraryBinding(const LibraryBinding&) = delete;
    LibraryBinding& operator=(const LibraryBinding&) = delete;

    // Loads the library and calls DllSet, whose result is of no interest.
    void Load();

    // Calls the export name; nothing when the library is not loaded or has no
    // such export. Safe on any thread while the library stays loaded.
    std::optional<std::int32_t> Call(const std::string& name) const;

    // Whether the export name can be called now (looked up, not called).
    bool Has(const std::string& name) const;

    // Calls DllEnd, then releases the library. Nothing happens when unbound.
    void Unload();

    bool Loaded() const { return library_ != nullptr; }
    const std::wstring& Path() const { return path_; }

  private:
    platform::Libraries& libraries_;
    std::wstring path_;
    std::unique_ptr<platform::LoadedLibrary> library_; // the LibraryHandle
};

} // namespace stowkeep::app
