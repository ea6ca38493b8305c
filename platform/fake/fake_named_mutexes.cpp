#include "platform/fake/fake_named_mutexes.h"

#include <utility>

namespace stowkeep::platform::fake {

namespace {

class FakeMutexHandle : public MutexHandle {
  public:
    FakeMutexHandle(std::weak_ptr<std::map<std::wstring, int, std::less<>>> table,
                    std::wstring name)
        : table_(std::move(table)), name_(std::move(name)) {}

    ~FakeMutexHandle() override {
        const auto table = table_.lock();
        if (table && --(*table)[name_] == 0) {
            table->erase(name_);
        }
    }

    FakeMutexHandle(const FakeMutexHandle&) = delete;
    FakeMutexHandle& operator=(const FakeMutexHandle&) = delete;

  private:
    std::weak_ptr<std::map<std::wstring, int, std::less<>>> table_;
    std::wstring name_;
};

} // namespace

FakeNamedMutexes::FakeNamedMutexes() : table_(std::make_shared<Table>()) {}

NamedMutexes::Created FakeNamedMutexes::Create(std::wstring_view name) {
    if (refuses_) {
        return {};
    }
    int& open = (*table_)[std::wstring(name)];
    const bool existed = open > 0;
    ++open;
    return {std::make_unique<FakeMutexHandle>(table_, std::wstring(name)), existed};
}

void FakeNamedMutexes::SetRefusesCreation(bool refuses) {
    refuses_ = refuses;
}

int FakeNamedMutexes::OpenHandles(std::wstring_view name) const {
    const auto entry = table_->find(name);
    return entry == table_->end() ? 0 : entry->second;
}

} // namespace stowkeep::platform::fake
