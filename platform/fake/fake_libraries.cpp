#include "platform/fake/fake_libraries.h"

#include "platform/fake/ascii_fold.h"

#include <utility>

namespace stowkeep::platform::fake {

namespace {

using Table = std::map<std::wstring, FakeLibraries::Library>;

class FakeLoadedLibrary : public LoadedLibrary {
  public:
    FakeLoadedLibrary(std::weak_ptr<Table> table, std::wstring key)
        : table_(std::move(table)), key_(std::move(key)) {}

    ~FakeLoadedLibrary() override {
        if (const auto table = table_.lock()) {
            --(*table)[key_].loads;
        }
    }

    FakeLoadedLibrary(const FakeLoadedLibrary&) = delete;
    FakeLoadedLibrary& operator=(const FakeLoadedLibrary&) = delete;

    Export Find(const std::string& name) const override {
        const auto table = table_.lock();
        if (!table) {
            return {};
        }
        const auto& exports = (*table)[key_].exports;
        const auto found = exports.find(name);
        return found == exports.end() ? Export{} : found->second;
    }

  private:
    std::weak_ptr<Table> table_;
    std::wstring key_;
};

} // namespace

FakeLibraries::FakeLibraries() : libraries_(std::make_shared<Table>()) {}

std::unique_ptr<LoadedLibrary> FakeLibraries::Load(const std::wstring& fullPath) {
    std::wstring key = AsciiUpper(fullPath);
    const auto library = libraries_->find(key);
    if (library == libraries_->end()) {
        return nullptr;
    }
    ++library->second.loads;
    return std::make_unique<FakeLoadedLibrary>(libraries_, std::move(key));
}

void FakeLibraries::Put(const std::wstring& fullPath, Exports exports) {
    (*libraries_)[AsciiUpper(fullPath)].exports = std::move(exports);
}

int FakeLibraries::LoadCount(const std::wstring& fullPath) const {
    const auto library = libraries_->find(AsciiUpper(fullPath));
    return library == libraries_->end() ? 0 : library->second.loads;
}

} // namespace stowkeep::platform::fake
