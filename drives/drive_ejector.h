#pragma once

#include "drives/events_thread.h"
#include "drives/list_volume_paths.h"
#include "drives/removable_drive.h"
#include "drives/shared_slot.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace stowkeep::drives {

class DeviceChangeHook;

// OnListChanged: a function called with its user data after each rebuild.
struct ListChangedNotification {
    void (*function)(void* userData) = nullptr;
    void* userData = nullptr;
};

// The list of the system's volumes on USB or IEEE 1394, rebuilt from a full
// scan at creation and whenever its watcher thread has seen volumes come or go.
class TDriveEjector {
  public:
    // Starts the watcher and scans once on the calling thread; that scan
    // notifies nobody, since OnListChanged is still empty.
    TDriveEjector(platform::VolumeSystem& system, ListVolumePathsFunction listVolumePaths,
                  DeviceChangeHook& hook, SettleWait settle = SleepSettleTime);
    // Stops the watcher and waits for it to end, then discards the entries.
    ~TDriveEjector();
    TDriveEjector(const TDriveEjector&) = delete;
    TDriveEjector& operator=(const TDriveEjector&) = delete;

    // Rebuilds the list and then raises OnListChanged on this thread. Scans never overlap.
    void ScanVolumes();

    // Wait while a scan is in progress, then answer from the new list.
    int DriveCount() const;
    // Entry index of the current list; an index outside it (the list may
    // have been rebuilt since DriveCount) gives an empty entry.
    TRemovableDrive Entry(int index) const;
    // The whole current list, for readers that walk it: its entries stay
    // valid however many scans follow.
    TDriveList Snapshot() const;

    void SetOnListChanged(void (*function)(void* userData), void* userData);
    bool ScanInProgress() const { return scanInProgress_.load(); }

  private:
    void AddVolume(std::vector<TRemovableDrive>& entries, const std::wstring& volumeName);
    void WaitForScan() const;

    platform::VolumeSystem& system_;
    ListVolumePathsFunction listVolumePaths_;
    std::atomic<bool> scanInProgress_{false};
    // Readers sleep here until a scan ends; the flag itself is read without it.
    mutable std::mutex scanEndMutex_;
    mutable std::condition_variable scanEnded_;
    SharedSlot<const std::vector<TRemovableDrive>> entries_;
    SharedSlot<const ListChangedNotification> onListChanged_;
    std::unique_ptr<TEventsThread> watcher_;
};

} // namespace stowkeep::drives
