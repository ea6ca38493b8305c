#include "drives/locate_device.h"

#include "drives/volume_extent.h"

#include <algorithm>
#include <set>

namespace stowkeep::drives {
namespace {

const std::wstring kNoFolder = L"Select Folder";

struct Candidate {
    std::wstring mountPath;
    VolumeExtent extent;
};

std::vector<Candidate> EnclosureVolumes(const std::vector<TRemovableDrive>& drives,
                                        platform::VolumeSystem& volumes) {
    std::vector<Candidate> candidates;
    for (const TRemovableDrive& drive : drives) {
        if (IsEnclosureVendor(drive.VendorId) && !drive.MountPath.empty() &&
            volumes.DriveType(drive.MountPath) == platform::kDriveFixed) {
            candidates.push_back({drive.MountPath, {}});
        }
    }
    return candidates;
}

// The volume whose first extent starts first; on equal offsets the later one.
const Candidate& EarliestStarting(const std::vector<Candidate>& candidates) {
    std::int64_t running = 0;
    for (const Candidate& candidate : candidates) {
        running = std::max(running, candidate.extent.StartingOffset);
    }
    const Candidate* chosen = &candidates.front();
    for (const Candidate& candidate : candidates) {
        if (candidate.extent.StartingOffset <= running) {
            chosen = &candidate;
            running = candidate.extent.StartingOffset;
        }
    }
    return *chosen;
}

} // namespace

bool IsEnclosureVendor(const std::wstring& vendorId) {
    std::wstring lowered = vendorId;
    for (wchar_t& c : lowered) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return lowered == L"kd-rx710" || lowered == L"varnok";
}

void LocateDevice(const TDriveEjector& drives, platform::VolumeSystem& volumes,
                  platform::FileSystem& files, MainState& state, DeviceView& view) {
    view.ShowDeviceButtons(DeviceButtonPictures::NoEnclosure);
    state.DeviceRoot.clear();
    view.SetBackupFolderText(kNoFolder);
    view.SetImageFolderText(kNoFolder);

    const TDriveList list = drives.Snapshot();
    std::vector<Candidate> candidates = EnclosureVolumes(*list, volumes);
    if (candidates.empty()) {
        state.DeviceState = L"non";
        return;
    }
    std::set<std::uint32_t> disks;
    for (Candidate& candidate : candidates) {
        candidate.extent = QueryVolumeExtent(volumes, candidate.mountPath.front());
        disks.insert(candidate.extent.DiskNumber);
    }
    if (disks.size() >= 2) {
        state.DeviceState = L"over";
        return;
    }
    state.DeviceState = L"ok";
    view.ShowDeviceButtons(DeviceButtonPictures::Normal);
    state.DeviceRoot = EarliestStarting(candidates).mountPath;
    const std::wstring imageFolder = state.DeviceRoot + L"_iso";
    if (!platform::FolderExists(files, imageFolder + L"\\")) {
        files.MakeFolder(imageFolder); // a failure leaves the edits as they are set below
    }
    view.SetImageFolderText(imageFolder);
    view.SetBackupFolderText(state.DeviceRoot + L"backup");
}

} // namespace stowkeep::drives
