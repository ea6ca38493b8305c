#include "platform/fake/fake_libraries.h"

#include "platform/fake/ascii_fold.h"

#include <utility>

namespace stowkeep::platform::fake {

namespace {

using State = FakeLibraries::State;

class FakeLoadedLibrary : public LoadedLibrary {
  public:
    FakeLoadedLibrary(std::weak_ptr<State> state, std::wstring key)
        : state_(std::move(state)), key_(std::move(key)) {}

    ~FakeLoadedLibrary() override {
        if (const auto state = state_.lock()) {
            const std::lock_guard lock(state->mutex);
            --state->libraries[key_].loads;
        }
    }

    FakeLoadedLibrary(const FakeLoadedLibrary&) = delete;
    FakeLoadedLibrary& operator=(const FakeLoadedLibrary&) = delete;

    Export Find(const std::string& name) const override {
        const auto state = state_.lock();
        if (!state) {
            return {};
        }
        const std::lock_guard lock(state->mutex);
        const auto& exports = state->libraries[key_].exports;
        const auto found = exports.find(name);
        return found == exports.end() ? Export{} : found->second;
    }

  private:
    std::weak_ptr<State> state_;
    std::wstring key_;
};

} // namespace

FakeLibraries::FakeLibraries() : state_(std::make_shared<State>()) {}

std::unique_ptr<LoadedLibrary> FakeLibraries::Load(const std::wstring& fullPath) {
    std::wstring key = AsciiUpper(fullPath);
    const std::lock_guard lock(state_->mutex);
    const auto library = state_->libraries.find(key);
    if (library == state_->libraries.end()) {
        return nullptr;
    }
    ++library->second.loads;
    return std::make_unique<FakeLoadedLibrary>(state_, std::move(key));
}

void FakeLibraries::Put(const std::wstring& fullPath, Exports exports) {
    const std::lock_guard lock(state_->mutex);
    state_->libraries[AsciiUpper(fullPath)].exports = std::move(exports);
}

int FakeLibraries::LoadCount(const std::wstring& fullPath) const {
    const std::lock_guard lock(state_->mutex);
    const auto library = state_->libraries.find(AsciiUpper(fullPath));
    return library == state_->libraries.end() ? 0 : library->second.loads;
}

} // namespace stowkeep::platform::fake
