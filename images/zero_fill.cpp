#include "images/zero_fill.h"

#include <array>

namespace stowkeep::images {

ZeroFill ZeroFirstAndLastSector(platform::FileSystem& files, const std::wstring& path) {
    const std::array<unsigned char, kSectorBytes> zeros{};
    platform::FileHandle file = files.Open(path, platform::Access::write, platform::share_read,
                                           platform::Disposition::open_existing);
    if (!file) {
        return ZeroFill::no;
    }
    const std::optional<std::uint64_t> length = file->Size();
    if (!length || *length < kSectorBytes || !file->WriteAt(0, zeros.data(), zeros.size()) ||
        !file->WriteAt(*length - kSectorBytes, zeros.data(), zeros.size())) {
        return ZeroFill::no;
    }
    return ZeroFill::ok;
}

TVHDDThread::TVHDDThread(platform::FileSystem& files, const std::wstring& imagePath,
                         std::atomic<ZeroFill>& result, std::function<void()> finished)
    : files_(files), imagePath_(imagePath), result_(result), finished_(std::move(finished)),
      thread_([this] { Execute(); }) {}

TVHDDThread::~TVHDDThread() {
    thread_.join();
}

void TVHDDThread::Execute() {
    result_.store(ZeroFirstAndLastSector(files_, imagePath_), std::memory_order_release);
    if (finished_) {
        finished_();
    }
}

} // namespace stowkeep::images
