#pragma once
// The program's volumes in the simulated-enclosure flavour: the system's own,
// plus the enclosure's volume while the state says it is plugged in, at the
// state's drive letter, with the identity a KD-RX710 reports (USB bus, vendor
// "KD-RX710", one extent on its disk). The files on that letter are the
// system's: under Wine the letter is mapped to a folder.

#include "platform/fake/volumes_fake.h"
#include "sim/enclosure_state.h"

#include <functional>
#include <mutex>

namespace stowkeep::sim {

class SimulatedVolumes final : public platform::VolumeSystem {
  public:
    using StateSource = std::function<EnclosureState()>;

    SimulatedVolumes(platform::VolumeSystem& system, StateSource state);

    std::unique_ptr<platform::NameEnumeration> FirstVolume(std::wstring& name) override;
    std::unique_ptr<platform::NameEnumeration>
    FirstVolumeMountPoint(const std::wstring& volume, std::wstring& mountPoint) override;
    std::unique_ptr<platform::VolumeDevice> OpenVolume(const std::wstring& path,
                                                       platform::VolumeAccess access) override;
    platform::VolumePathNamesFunction SystemVolumePathNames() override;
    std::vector<std::wstring> LogicalDriveStrings() override;
    bool VolumeNameForMountPoint(const std::wstring& mountPoint, std::wstring& volumeName) override;
    bool NamesEqualIgnoringCase(const std::wstring& a, const std::wstring& b) override;
    unsigned DriveType(const std::wstring& rootPath) override;
    std::wstring FromSystemCodePage(std::string_view text) override;

    // The enclosure volume's name, \\?\Volume{...}\ with its trailing backslash.
    static std::wstring EnclosureVolumeName();

  private:
    // Brings the enclosure's volume in line with the state.
    void Refresh();
    bool IsEnclosureVolume(const std::wstring& name);
    bool IsEnclosureLetter(const std::wstring& path);

    platform::VolumeSystem& system_;
    StateSource state_;
    platform::FakeVolumes enclosure_;
    std::mutex mutex_;
    bool present_ = false;
    wchar_t letter_ = 0;
};

} // namespace stowkeep::sim
