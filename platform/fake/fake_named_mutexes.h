#pragma once

#include "platform/named_mutexes.h"

#include <map>
#include <memory>
#include <string>

namespace stowkeep::platform::fake {

// Named mutexes in memory. Names are case-sensitive, as the system's object
// names are. A mutex lives while a handle to it is open; handles may outlive
// this object.
class FakeNamedMutexes : public NamedMutexes {
  public:
    FakeNamedMutexes();

    Created Create(std::wstring_view name) override;

    void SetRefusesCreation(bool refuses); // the system gives no handle
    int OpenHandles(std::wstring_view name) const;

  private:
    using Table = std::map<std::wstring, int, std::less<>>;

    std::shared_ptr<Table> table_;
    bool refuses_ = false;
};

} // namespace stowkeep::platform::fake
