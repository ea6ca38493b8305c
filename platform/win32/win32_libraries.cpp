#include "platform/win32/win32_libraries.h"

#include "platform/win32/owned_handle.h"

#include <utility>
#include <windows.h>

namespace stowkeep::platform::win32 {

namespace {

class Win32LoadedLibrary : public LoadedLibrary {
  public:
    explicit Win32LoadedLibrary(OwnedModule module) : module_(std::move(module)) {}

    Export Find(const std::string& name) const override {
        const FARPROC address = ::GetProcAddress(module_.Get(), name.c_str());
        if (address == nullptr) {
            return {};
        }
        // Every export of ours takes nothing and returns a 32-bit value.
        return reinterpret_cast<std::int32_t (*)()>(reinterpret_cast<void (*)()>(address));
    }

  private:
    OwnedModule module_;
};

} // namespace

std::unique_ptr<LoadedLibrary> Win32Libraries::Load(const std::wstring& fullPath) {
    // The full path is loaded as it stands; the library's own imports come
    // from System32 only, never from the folder it lies in.
    OwnedModule module{::LoadLibraryExW(fullPath.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)};
    if (!module) {
        return nullptr;
    }
    return std::make_unique<Win32LoadedLibrary>(std::move(module));
}

} // namespace stowkeep::platform::win32
