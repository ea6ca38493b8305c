#pragma once

#include <windows.h>

namespace stowkeep::platform::win32 {

// Owns one system handle and releases it when it goes; Traits names the kind:
// its type, its invalid value and how it is released.
template <typename Traits> class Owned {
  public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }

    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }

    Handle Release() {
        Handle handle = handle_;
        handle_ = Traits::Invalid();
        return handle;
    }

    void Reset(Handle handle = Traits::Invalid()) {
        if (Valid()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

// Kernel objects that come back as null when they fail (mutexes, processes).
struct KernelTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};

// Files and snapshots, which fail with INVALID_HANDLE_VALUE.
struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};

struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::FindClose(handle); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::RegCloseKey(handle); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::FreeLibrary(handle); }
};

using OwnedKernelHandle = Owned<KernelTraits>;
using OwnedFileHandle = Owned<FileTraits>;
using OwnedFindHandle = Owned<FindTraits>;
using OwnedRegistryKey = Owned<RegistryKeyTraits>;
using OwnedModule = Owned<ModuleTraits>;

} // namespace stowkeep::platform::win32
