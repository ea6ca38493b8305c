#pragma once

#include "platform/libraries.h"

#include <map>
#include <memory>
#include <string>

namespace stowkeep::platform::fake {

// Shared libraries in memory: a test puts a library at a full path with its
// exports, and counts how often it is loaded at the moment. Paths match without
// regard to letter case, export names exactly. Loaded libraries may outlive
// this object.
class FakeLibraries : public Libraries {
  public:
    using Exports = std::map<std::string, LoadedLibrary::Export, std::less<>>;

    FakeLibraries();

    std::unique_ptr<LoadedLibrary> Load(const std::wstring& fullPath) override;

    void Put(const std::wstring& fullPath, Exports exports);
    int LoadCount(const std::wstring& fullPath) const;

    struct Library {
        Exports exports;
        int loads = 0;
    };

  private:
    std::shared_ptr<std::map<std::wstring, Library>> libraries_; // by upper-cased path
};

} // namespace stowkeep::platform::fake
