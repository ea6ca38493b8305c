#include "platform/fake/fake_libraries.h"
#include "platform/fake/fake_module_path.h"
#include "platform/fake/fake_named_mutexes.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_profile_files.h"
#include "platform/fake/fake_user_registry.h"
#include "tests/platform/contract_world.h"

#include <algorithm>

namespace stowkeep::contract {

namespace {

using namespace platform::fake;

constexpr std::uint32_t kOwnId = 4100;
constexpr std::uint32_t kOwnSession = 1;

class FakeWorld : public ContractWorld {
  public:
    FakeWorld()
        : module_(L"C:\\Tools\\Contract\\" + OwnExeName()), processes_(kOwnId, kOwnSession) {
        profile_.AddFolder(Folder());
        registry_.AddKey(L"Software\\Microsoft\\Windows\\CurrentVersion\\Run");
        registry_.AddKey(ScratchKey());
        libraries_.Put(ProbeLibraryPath(), {{"StowkeepProbe", [] { return 7; }}});
        processes_.Add({4, 0, L"System"});
        processes_.Add({kOwnId, kOwnSession, OwnExeName()});
    }

    platform::ProfileFiles& Profile() override { return profile_; }
    platform::UserRegistry& Registry() override { return registry_; }
    platform::NamedMutexes& Mutexes() override { return mutexes_; }
    platform::Processes& Processes() override { return processes_; }
    platform::Libraries& Libraries() override { return libraries_; }
    const platform::ModulePath& Module() override { return module_; }

    std::wstring Folder() const override { return L"C:\\Users\\Me\\Contract"; }
    void MakeFolder(const std::wstring& path) override { profile_.AddFolder(path); }
    void PutFile(const std::wstring& path, const std::string& text) override {
        profile_.PutFileBytes(path, text);
    }
    std::optional<std::string> FileText(const std::wstring& path) override {
        return profile_.FileBytes(path);
    }
    bool SetReadOnly(const std::wstring& path, bool readOnly) override {
        profile_.SetReadOnly(path, readOnly);
        return true;
    }
    std::unique_ptr<Hold> HoldWithoutSharing(const std::wstring& path) override {
        return std::make_unique<FakeHold>(profile_, path);
    }

    std::wstring ScratchKey() const override { return L"Software\\StowkeepContract\\Scratch"; }
    std::wstring MissingKey() const override { return L"Software\\StowkeepContract\\Missing"; }

    bool KeyExists(const std::wstring& subkey) const override { return registry_.HasKey(subkey); }
    void PutValue(const std::wstring& subkey, const std::wstring& name, ValueType type,
                  const std::wstring& text) override {
        const FakeUserRegistry::ValueType types[] = {FakeUserRegistry::ValueType::String,
                                                     FakeUserRegistry::ValueType::ExpandString,
                                                     FakeUserRegistry::ValueType::Number};
        registry_.PutValue(subkey, name, text, types[static_cast<int>(type)]);
    }

    std::wstring ProbeLibraryPath() const override { return L"C:\\Tools\\Contract\\probe.dll"; }
    bool IsLoaded(const std::wstring& path) const override {
        return libraries_.LoadCount(path) > 0;
    }

    std::wstring OwnExeName() const override { return L"" STOWKEEP_CONTRACT_EXE_NAME; }
    std::uint32_t StartIdleProcess() override {
        const std::uint32_t id = nextId_;
        nextId_ += 4;
        processes_.Add({id, kOwnSession, OwnExeName()});
        return id;
    }
    std::optional<std::uint32_t> AwaitExitCode(std::uint32_t id) override {
        const auto& ended = processes_.Ended();
        const auto found =
            std::find_if(ended.begin(), ended.end(),
                         [id](const FakeProcesses::Ending& e) { return e.id == id; });
        if (found == ended.end()) {
            return std::nullopt;
        }
        return found->exitCode;
    }

  private:
    class FakeHold : public Hold {
      public:
        FakeHold(FakeProfileFiles& files, std::wstring path)
            : files_(files), path_(std::move(path)) {
            files_.SetHeldByAnotherProgram(path_, true);
        }
        ~FakeHold() override { files_.SetHeldByAnotherProgram(path_, false); }

      private:
        FakeProfileFiles& files_;
        std::wstring path_;
    };

    FakeProfileFiles profile_;
    FakeUserRegistry registry_;
    FakeNamedMutexes mutexes_;
    FakeLibraries libraries_;
    FakeModulePath module_;
    FakeProcesses processes_;
    std::uint32_t nextId_ = 7000;
};

} // namespace

std::unique_ptr<ContractWorld> MakeFakeWorld() {
    return std::make_unique<FakeWorld>();
}

} // namespace stowkeep::contract
