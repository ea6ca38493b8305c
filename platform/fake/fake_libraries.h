#pragma once

#include "platform/libraries.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace stowkeep::platform::fake {

// Shared libraries in memory: a test puts a library at a full path with its
// exports, and counts how often it is loaded at the moment. Paths match without
// regard to letter case, export names exactly. Loaded libraries may outlive
// this object. Safe to use from several threads at once.
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

    struct State {
        std::mutex mutex;
        std::map<std::wstring, Library> libraries; // by upper-cased path
    };

  private:
    std::shared_ptr<State> state_;
};

} // namespace stowkeep::platform::fake
