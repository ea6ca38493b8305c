#include "drives/drive_ejector.h"

#include "drives/volume_reading.h"

namespace stowkeep::drives {

TDriveEjector::TDriveEjector(platform::VolumeSystem& system,
                             ListVolumePathsFunction listVolumePaths, DeviceChangeHook& hook,
                             SettleWait settle)
    : system_(system), listVolumePaths_(std::move(listVolumePaths)),
      entries_(std::make_shared<const std::vector<TRemovableDrive>>()) {
    // Marked as scanning from the start, so that the watcher cannot begin a
    // scan of its own before the first one has run.
    scanInProgress_.store(true);
    watcher_ = std::make_unique<TEventsThread>(*this, hook, std::move(settle));
    ScanVolumes();
    // The watcher leaves broadcasts alone while a scan runs; let it look at
    // them now that the first scan is over.
    watcher_->Wake();
}

TDriveEjector::~TDriveEjector() {
    watcher_.reset();
}

void TDriveEjector::ScanVolumes() {
    scanInProgress_.store(true);
    // Readers keep the previous list until the new one is complete.
    auto entries = std::make_shared<std::vector<TRemovableDrive>>();
    std::wstring name;
    if (const auto volumes = system_.FirstVolume(name)) {
        do {
            AddVolume(*entries, name);
        } while (volumes->Next(name));
    }
    entries_.Store(std::move(entries));
    {
        std::lock_guard lock(scanEndMutex_);
        scanInProgress_.store(false);
    }
    scanEnded_.notify_all();
    const auto notification = onListChanged_.Load();
    if (notification && notification->function != nullptr) {
        notification->function(notification->userData);
    }
}

void TDriveEjector::AddVolume(std::vector<TRemovableDrive>& entries,
                              const std::wstring& volumeName) {
    if (auto drive = ReadRemovableVolume(system_, listVolumePaths_, volumeName)) {
        entries.push_back(std::move(*drive));
    }
}

void TDriveEjector::WaitForScan() const {
    std::unique_lock lock(scanEndMutex_);
    scanEnded_.wait(lock, [this] { return !scanInProgress_.load(); });
}

int TDriveEjector::DriveCount() const {
    return static_cast<int>(Snapshot()->size());
}

TRemovableDrive TDriveEjector::Entry(int index) const {
    const TDriveList list = entries_.Load();
    if (index < 0 || static_cast<std::size_t>(index) >= list->size()) {
        return {};
    }
    return (*list)[static_cast<std::size_t>(index)];
}

TDriveList TDriveEjector::Snapshot() const {
    WaitForScan();
    return entries_.Load();
}

void TDriveEjector::SetOnListChanged(void (*function)(void* userData), void* userData) {
    onListChanged_.Store(std::make_shared<const ListChangedNotification>(
        ListChangedNotification{function, userData}));
}

} // namespace stowkeep::drives
