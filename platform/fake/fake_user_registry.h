#pragma once

#include "platform/user_registry.h"

#include <map>
#include <mutex>
#include <string>

namespace stowkeep::platform::fake {

// The current user's registry in memory. Key paths and value names match
// without regard to letter case. Keys exist only once a test adds them (the
// registry seam never creates one); writes to a key can be refused. A value has
// a type: the seam writes plain strings, a test may put any. Safe to use from
// several threads at once.
class FakeUserRegistry : public UserRegistry {
  public:
    enum class ValueType { String, ExpandString, Number };

    std::optional<std::wstring> ReadString(std::wstring_view subkey,
                                           std::wstring_view name) const override;
    bool WriteString(std::wstring_view subkey, std::wstring_view name,
                     std::wstring_view data) override;
    bool DeleteValue(std::wstring_view subkey, std::wstring_view name) override;

    // The test's hands on the registry.
    void AddKey(std::wstring_view subkey);
    void RemoveKey(std::wstring_view subkey);
    void SetRefusesWrites(std::wstring_view subkey, bool refuses);
    void PutValue(std::wstring_view subkey, std::wstring_view name, std::wstring_view data,
                  ValueType type); // into an existing key
    bool HasKey(std::wstring_view subkey) const;

  private:
    struct Value {
        std::wstring data;
        ValueType type = ValueType::String;
    };
    struct Key {
        std::map<std::wstring, Value> values; // by upper-cased name
        bool refusesWrites = false;
    };

    mutable std::mutex mutex_;
    std::map<std::wstring, Key> keys_; // by upper-cased path
};

} // namespace stowkeep::platform::fake
