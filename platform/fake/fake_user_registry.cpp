#include "platform/fake/fake_user_registry.h"

#include "platform/fake/ascii_fold.h"

namespace stowkeep::platform::fake {

std::optional<std::wstring> FakeUserRegistry::ReadString(std::wstring_view subkey,
                                                         std::wstring_view name) const {
    const std::lock_guard lock(mutex_);
    const auto key = keys_.find(AsciiUpper(subkey));
    if (key == keys_.end()) {
        return std::nullopt;
    }
    const auto value = key->second.values.find(AsciiUpper(name));
    if (value == key->second.values.end() || value->second.type == ValueType::Number) {
        return std::nullopt;
    }
    return value->second.data;
}

bool FakeUserRegistry::WriteString(std::wstring_view subkey, std::wstring_view name,
                                   std::wstring_view data) {
    const std::lock_guard lock(mutex_);
    const auto key = keys_.find(AsciiUpper(subkey));
    if (key == keys_.end() || key->second.refusesWrites) {
        return false;
    }
    key->second.values[AsciiUpper(name)] = Value{std::wstring(data), ValueType::String};
    return true;
}

bool FakeUserRegistry::DeleteValue(std::wstring_view subkey, std::wstring_view name) {
    const std::lock_guard lock(mutex_);
    const auto key = keys_.find(AsciiUpper(subkey));
    if (key == keys_.end() || key->second.refusesWrites) {
        return false;
    }
    return key->second.values.erase(AsciiUpper(name)) > 0;
}

void FakeUserRegistry::AddKey(std::wstring_view subkey) {
    const std::lock_guard lock(mutex_);
    keys_[AsciiUpper(subkey)];
}

void FakeUserRegistry::RemoveKey(std::wstring_view subkey) {
    const std::lock_guard lock(mutex_);
    keys_.erase(AsciiUpper(subkey));
}

void FakeUserRegistry::SetRefusesWrites(std::wstring_view subkey, bool refuses) {
    const std::lock_guard lock(mutex_);
    const auto key = keys_.find(AsciiUpper(subkey));
    if (key != keys_.end()) {
        key->second.refusesWrites = refuses;
    }
}

void FakeUserRegistry::PutValue(std::wstring_view subkey, std::wstring_view name,
                                std::wstring_view data, ValueType type) {
    const std::lock_guard lock(mutex_);
    const auto key = keys_.find(AsciiUpper(subkey));
    if (key != keys_.end()) {
        key->second.values[AsciiUpper(name)] = Value{std::wstring(data), type};
    }
}

bool FakeUserRegistry::HasKey(std::wstring_view subkey) const {
    const std::lock_guard lock(mutex_);
    return keys_.count(AsciiUpper(subkey)) > 0;
}

} // namespace stowkeep::platform::fake
