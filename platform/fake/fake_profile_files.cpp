#include "platform/fake/fake_profile_files.h"

#include "platform/fake/ascii_fold.h"
#include "platform/fake/profile_bytes.h"
#include "platform/fake/profile_text.h"

#include <utility>

namespace stowkeep::platform::fake {

namespace {

std::wstring FolderKey(std::wstring_view folder) {
    while (!folder.empty() && folder.back() == L'\\') {
        folder.remove_suffix(1);
    }
    return AsciiUpper(folder);
}

// The value as a caller's buffer of capacity characters receives it: a value
// in matching quotes loses them, and only capacity - 1 characters fit.
std::wstring ToBuffer(std::wstring value, std::size_t capacity) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    if (capacity == 0) {
        return {};
    }
    if (value.size() > capacity - 1) {
        value.resize(capacity - 1);
    }
    return value;
}

std::wstring DefaultValue(std::wstring_view def) {
    while (!def.empty() && def.back() == L' ') {
        def.remove_suffix(1);
    }
    return std::wstring(def);
}

} // namespace

std::wstring FakeProfileFiles::ReadString(const std::wstring& path, std::wstring_view section,
                                          std::wstring_view key, std::wstring_view def,
                                          std::size_t capacity) const {
    const std::lock_guard lock(mutex_);
    const auto file = files_.find(AsciiUpper(path));
    if (file == files_.end() || file->second.held) {
        return ToBuffer(DefaultValue(def), capacity);
    }
    auto value = FindProfileValue(DecodeProfileBytes(file->second.bytes), section, key);
    if (!value) {
        return ToBuffer(DefaultValue(def), capacity);
    }
    return ToBuffer(std::move(*value), capacity);
}

bool FakeProfileFiles::WriteString(const std::wstring& path, std::wstring_view section,
                                   std::wstring_view key, std::wstring_view value) {
    const std::lock_guard lock(mutex_);
    File* file = FindOrCreate(path);
    if (file == nullptr || file->readOnly || file->held) {
        return false;
    }
    const std::wstring text = DecodeProfileBytes(file->bytes);
    file->bytes =
        EncodeProfileText(SetProfileValue(text, section, key, value), EncodingOf(file->bytes));
    return true;
}

bool FakeProfileFiles::PrepareToKeep(const std::wstring& path, std::wstring_view text) {
    const std::lock_guard lock(mutex_);
    const bool existed = files_.count(AsciiUpper(path)) > 0;
    File* file = FindOrCreate(path);
    if (file == nullptr || file->readOnly || file->held) {
        return false;
    }
    if (!existed || (EncodingOf(file->bytes) == ProfileEncoding::Ansi && !AnsiHolds(text))) {
        file->bytes = EncodeProfileText(DecodeProfileBytes(file->bytes), ProfileEncoding::Utf16);
    }
    return true;
}

void FakeProfileFiles::AddFolder(std::wstring_view folder) {
    const std::lock_guard lock(mutex_);
    folders_.insert(FolderKey(folder));
}

void FakeProfileFiles::PutFile(const std::wstring& path, std::wstring_view text) {
    PutFileBytes(path, EncodeProfileText(text, ProfileEncoding::Ansi));
}

void FakeProfileFiles::PutFileBytes(const std::wstring& path, std::string bytes) {
    const std::lock_guard lock(mutex_);
    if (FolderExists(path)) {
        files_[AsciiUpper(path)].bytes = std::move(bytes);
    }
}

std::optional<std::wstring> FakeProfileFiles::FileText(const std::wstring& path) const {
    const auto bytes = FileBytes(path);
    return bytes ? std::optional<std::wstring>(DecodeProfileBytes(*bytes)) : std::nullopt;
}

std::optional<std::string> FakeProfileFiles::FileBytes(const std::wstring& path) const {
    const std::lock_guard lock(mutex_);
    const auto file = files_.find(AsciiUpper(path));
    if (file == files_.end()) {
        return std::nullopt;
    }
    return file->second.bytes;
}

void FakeProfileFiles::SetReadOnly(const std::wstring& path, bool readOnly) {
    const std::lock_guard lock(mutex_);
    const auto file = files_.find(AsciiUpper(path));
    if (file != files_.end()) {
        file->second.readOnly = readOnly;
    }
}

void FakeProfileFiles::SetHeldByAnotherProgram(const std::wstring& path, bool held) {
    const std::lock_guard lock(mutex_);
    const auto file = files_.find(AsciiUpper(path));
    if (file != files_.end()) {
        file->second.held = held;
    }
}

FakeProfileFiles::File* FakeProfileFiles::FindOrCreate(const std::wstring& path) {
    const std::wstring name = AsciiUpper(path);
    const auto file = files_.find(name);
    if (file != files_.end()) {
        return &file->second;
    }
    if (!FolderExists(path) || folders_.count(FolderKey(path)) > 0) {
        return nullptr;
    }
    return &files_.emplace(name, File{}).first->second;
}

bool FakeProfileFiles::FolderExists(std::wstring_view path) const {
    const auto slash = path.find_last_of(L'\\');
    return slash != std::wstring_view::npos && folders_.count(FolderKey(path.substr(0, slash))) > 0;
}

} // namespace stowkeep::platform::fake
