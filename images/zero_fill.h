#pragma once

#include "platform/files.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace stowkeep::images {

// Where the zero-fill worker stands: "ok" (file complete), "non" (worker running),
// "no" (worker failed).
enum class ZeroFill { ok, non, no };

inline constexpr std::size_t kSectorBytes = 512;

// Writes a sector of zeros at the start and at the end of the file at path; the file is
// closed before this returns. ok or no.
ZeroFill ZeroFirstAndLastSector(platform::FileSystem& files, const std::wstring& path);

// The zero-fill worker: one thread per image file made in "Slow" mode. It publishes its
// one final value into result after the file is closed, then calls finished (from the
// worker thread) so that a waiting user-interface thread wakes up.
class TVHDDThread {
  public:
    // Starts at once; throws std::system_error when the thread cannot be started.
    TVHDDThread(platform::FileSystem& files, const std::wstring& imagePath,
                std::atomic<ZeroFill>& result, std::function<void()> finished);
    ~TVHDDThread(); // waits for the thread to end
    TVHDDThread(const TVHDDThread&) = delete;
    TVHDDThread& operator=(const TVHDDThread&) = delete;

  private:
    void Execute();

    platform::FileSystem& files_;
    const std::wstring& imagePath_;
    std::atomic<ZeroFill>& result_;
    std::function<void()> finished_;
    std::thread thread_;
};

} // namespace stowkeep::images
