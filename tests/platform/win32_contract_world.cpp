#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_module_path.h"
#include "platform/win32/win32_named_mutexes.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_profile_files.h"
#include "platform/win32/win32_user_registry.h"
#include "tests/platform/contract_world.h"

#include <map>
#include <string>
#include <windows.h>

namespace stowkeep::contract {

namespace {

using namespace platform::win32;

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kAutorunValue[] = L"Stowkeep";
constexpr wchar_t kScratchParent[] = L"Software\\StowkeepContract";

std::wstring OwnPath() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::wstring UniqueSuffix() {
    static int counter = 0;
    return std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

void RemoveFolderTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const OwnedFindHandle find{::FindFirstFileW((folder + L"\\*").c_str(), &found)};
    for (bool more = find.Valid(); more; more = ::FindNextFileW(find.Get(), &found) != FALSE) {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = folder + L"\\" + name;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveFolderTree(path);
        } else {
            ::DeleteFileW(path.c_str());
        }
    }
    ::RemoveDirectoryW(folder.c_str());
}

// The autorun value as it was before the world, put back afterwards.
class SavedAutorunValue {
  public:
    SavedAutorunValue() : saved_(Win32UserRegistry{}.ReadString(kRunKey, kAutorunValue)) {}
    ~SavedAutorunValue() {
        Win32UserRegistry registry;
        if (saved_) {
            registry.WriteString(kRunKey, kAutorunValue, *saved_);
        } else {
            registry.DeleteValue(kRunKey, kAutorunValue);
        }
    }

  private:
    std::optional<std::wstring> saved_;
};

class Win32World : public ContractWorld {
  public:
    Win32World() : suffix_(UniqueSuffix()) {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, temp);
        folder_ = std::wstring(temp) + L"stowkeep-contract-" + suffix_;
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        CreateUserKey(kRunKey);
        CreateUserKey(ScratchKey());
    }

    ~Win32World() override {
        for (auto& [id, process] : started_) {
            ::TerminateProcess(process.Get(), 1);
        }
        ::RegDeleteTreeW(HKEY_CURRENT_USER, ScratchKey().c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kScratchParent); // only goes when empty
        RemoveFolderTree(folder_);
    }

    platform::ProfileFiles& Profile() override { return profile_; }
    platform::UserRegistry& Registry() override { return registry_; }
    platform::NamedMutexes& Mutexes() override { return mutexes_; }
    platform::Processes& Processes() override { return processes_; }
    platform::Libraries& Libraries() override { return libraries_; }
    const platform::ModulePath& Module() override { return module_; }

    std::wstring Folder() const override { return folder_; }

    void MakeFolder(const std::wstring& path) override {
        ::CreateDirectoryW(path.c_str(), nullptr);
    }

    void PutFile(const std::wstring& path, const std::string& text) override {
        const OwnedFileHandle file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
        DWORD written = 0;
        ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }

    std::optional<std::string> FileText(const std::wstring& path) override {
        const OwnedFileHandle file{::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr)};
        if (!file) {
            return std::nullopt;
        }
        std::string text;
        char chunk[4096];
        DWORD got = 0;
        while (::ReadFile(file.Get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) {
            text.append(chunk, got);
        }
        return text;
    }

    bool SetReadOnly(const std::wstring& path, bool readOnly) override {
        ::SetFileAttributesW(path.c_str(),
                             readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        if (!readOnly) {
            return true;
        }
        const OwnedFileHandle probe{::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                  nullptr, OPEN_EXISTING, 0, nullptr)};
        return !probe.Valid();
    }

    std::unique_ptr<Hold> HoldWithoutSharing(const std::wstring& path) override {
        return std::make_unique<FileHold>(OwnedFileHandle{::CreateFileW(
            path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)});
    }

    std::wstring ScratchKey() const override {
        return std::wstring(kScratchParent) + L"\\" + suffix_;
    }
    std::wstring MissingKey() const override { return ScratchKey() + L"-missing"; }

    bool KeyExists(const std::wstring& subkey) const override {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return false;
        }
        ::RegCloseKey(key);
        return true;
    }

    void PutValue(const std::wstring& subkey, const std::wstring& name, ValueType type,
                  const std::wstring& text) override {
        const DWORD number = 1;
        if (type == ValueType::Number) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), REG_DWORD, &number,
                              sizeof(number));
            return;
        }
        const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        ::RegSetKeyValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(),
                          type == ValueType::String ? REG_SZ : REG_EXPAND_SZ, text.c_str(), bytes);
    }

    std::wstring ProbeLibraryPath() const override {
        const std::wstring own = OwnPath();
        return own.substr(0, own.find_last_of(L'\\')) + L"\\stowkeep_probe.dll";
    }
    bool IsLoaded(const std::wstring& path) const override {
        return ::GetModuleHandleW(path.c_str()) != nullptr;
    }

    std::wstring OwnExeName() const override { return L"" STOWKEEP_CONTRACT_EXE_NAME; }

    std::uint32_t StartIdleProcess() override {
        // A suspended copy of ourselves runs no code at all until it is ended.
        std::wstring commandLine = L"\"" + OwnPath() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                              CREATE_SUSPENDED, nullptr, nullptr, &startup, &info)) {
            return 0;
        }
        ::CloseHandle(info.hThread);
        started_.emplace(info.dwProcessId, OwnedKernelHandle{info.hProcess});
        return info.dwProcessId;
    }

    std::optional<std::uint32_t> AwaitExitCode(std::uint32_t id) override {
        const auto process = started_.find(id);
        // A safety limit so that a fault fails the case instead of hanging it.
        if (process == started_.end() ||
            ::WaitForSingleObject(process->second.Get(), 30000) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        ::GetExitCodeProcess(process->second.Get(), &code);
        return code;
    }

  private:
    class FileHold : public Hold {
      public:
        explicit FileHold(OwnedFileHandle file) : file_(std::move(file)) {}

      private:
        OwnedFileHandle file_;
    };

    static void CreateUserKey(const std::wstring& subkey) {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr) == ERROR_SUCCESS) {
            ::RegCloseKey(key);
        }
    }

    std::wstring suffix_;
    std::wstring folder_;
    SavedAutorunValue savedAutorun_;
    Win32ProfileFiles profile_;
    Win32UserRegistry registry_;
    Win32NamedMutexes mutexes_;
    Win32Processes processes_;
    Win32Libraries libraries_;
    Win32ModulePath module_;
    std::map<std::uint32_t, OwnedKernelHandle> started_;
};

} // namespace

std::unique_ptr<ContractWorld> MakeWin32World() {
    return std::make_unique<Win32World>();
}

} // namespace stowkeep::contract
