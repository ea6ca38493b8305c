#pragma once

#include "platform/libraries.h"
#include "platform/module_path.h"
#include "platform/named_mutexes.h"
#include "platform/processes.h"
#include "platform/profile_files.h"
#include "platform/user_registry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stowkeep::contract {

// A machine that the seam's contract cases run on: the in-memory one or the
// real system. Each world gets its own empty folder and registry key and leaves
// nothing behind when it goes.
class ContractWorld {
  public:
    virtual ~ContractWorld() = default;

    virtual platform::ProfileFiles& Profile() = 0;
    virtual platform::UserRegistry& Registry() = 0;
    virtual platform::NamedMutexes& Mutexes() = 0;
    virtual platform::Processes& Processes() = 0;
    virtual platform::Libraries& Libraries() = 0;
    virtual const platform::ModulePath& Module() = 0;

    // An empty folder, without trailing backslash.
    virtual std::wstring Folder() const = 0;
    // Makes a folder at path.
    virtual void MakeFolder(const std::wstring& path) = 0;
    // Files written and read as bytes, behind the seam's back.
    virtual void PutFile(const std::wstring& path, const std::string& text) = 0;
    virtual std::optional<std::string> FileText(const std::wstring& path) = 0;
    // Sets or clears the read-only attribute. False when the attribute does not
    // stop writes here (root ignores it under Wine): such cases are skipped.
    virtual bool SetReadOnly(const std::wstring& path, bool readOnly) = 0;
    // Another program holds path open, sharing nothing, until the result goes.
    class Hold {
      public:
        virtual ~Hold() = default;
    };
    virtual std::unique_ptr<Hold> HoldWithoutSharing(const std::wstring& path) = 0;

    // An existing, empty key under the current user's part of the registry.
    virtual std::wstring ScratchKey() const = 0;
    // A key that does not exist.
    virtual std::wstring MissingKey() const = 0;
    virtual bool KeyExists(const std::wstring& subkey) const = 0;
    // Puts a value of this type behind the seam's back; a number gets 1.
    enum class ValueType { String, ExpandString, Number };
    virtual void PutValue(const std::wstring& subkey, const std::wstring& name, ValueType type,
                          const std::wstring& text) = 0;

    // A library whose export StowkeepProbe returns 7, and whether it is loaded.
    virtual std::wstring ProbeLibraryPath() const = 0;
    virtual bool IsLoaded(const std::wstring& path) const = 0;

    // File name of the executable running the cases.
    virtual std::wstring OwnExeName() const = 0;
    // A process of our own session that does nothing until it is ended.
    virtual std::uint32_t StartIdleProcess() = 0;
    // Waits until process id has ended and gives its exit code.
    virtual std::optional<std::uint32_t> AwaitExitCode(std::uint32_t id) = 0;
};

enum class WorldKind { Fake, Win32 };

// The worlds this build can run the cases on: the fake everywhere, the real
// system in the Windows build.
std::vector<WorldKind> AvailableWorlds();
std::unique_ptr<ContractWorld> MakeWorld(WorldKind kind);
std::string WorldName(WorldKind kind);

// Test name suffix for parameterised suites over the worlds.
struct WorldNamer {
    template <typename Info> std::string operator()(const Info& info) const {
        return WorldName(info.param);
    }
};

} // namespace stowkeep::contract
