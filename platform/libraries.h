#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace stowkeep::platform {

// A loaded shared library; destroying it frees the library.
class LoadedLibrary {
  public:
    using Export = std::function<std::int32_t()>;

    virtual ~LoadedLibrary() = default;

    // The export called name (8-bit, case-sensitive), taking no arguments and
    // returning a 32-bit value; empty when the library has no such export.
    virtual Export Find(const std::string& name) const = 0;
};

// Shared libraries loaded by full path, never through the search order.
class Libraries {
  public:
    virtual ~Libraries() = default;

    // Empty when the library cannot be loaded.
    virtual std::unique_ptr<LoadedLibrary> Load(const std::wstring& fullPath) = 0;
};

} // namespace stowkeep::platform
