// The copy engine on the real Win32 file seam against CopyFileW in a loop,
// for a few large files (200 MiB) and for many small ones (3000 of 4 to
// 64 KiB). A Windows program, run under Wine; prints each method's mean time
// and throughput, the engine's kernel32 file calls and flushes per file, and
// the throughput ratios (ours / reference).
//
// The engine runs twice: once as it runs under Wine, where the volume flush
// is refused and each file of a batch is flushed; once with a stand-in for
// the volume flush that Windows grants, which costs one FlushFileBuffers of a
// file on the same disk per batch (on ext4 about the cost of a journal
// commit). The stand-in measures the cost of that path, not its durability.
//
// Arguments: [folder for the trees] [iterations]. The trees are made once in
// the folder (about 300 MB) and kept; the copies are removed after each run.

#include "backup/copy_engine.h"
#include "bench_trees.h"
#include "call_counter.h"
#include "no_window.h"
#include "platform/forwarding_files.h"
#include "platform/win32/files_win32.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <windows.h>

namespace stowkeep::bench {
namespace {

platform::Win32FileSystem files;

void RemoveTree(const std::wstring& folder) {
    for (const auto& entry : files.List(folder).value_or(std::vector<platform::FolderEntry>{})) {
        const std::wstring path = folder + L"\\" + entry.name;
        if (entry.IsFolder()) {
            RemoveTree(path);
        } else {
            files.Remove(path);
        }
    }
    RemoveDirectoryW(folder.c_str());
}

// The volume flush as Windows grants it, by its cost: one flush of a file
// on the same disk.
class VolumeFlushStandIn : public platform::ForwardingFileSystem {
  public:
    explicit VolumeFlushStandIn(const std::wstring& folder)
        : ForwardingFileSystem(static_cast<platform::FileSystem&>(files)),
          marker_(files.Open(folder + L"\\flush-marker", platform::Access::write,
                             platform::share_none, platform::Disposition::create_always)) {}

    platform::FileError FlushVolume(const std::wstring&) override {
        return marker_ && marker_->Flush() ? platform::FileError::none
                                           : platform::FileError::io_error;
    }

  private:
    platform::FileHandle marker_;
};

bool CopyWithEngine(platform::FileSystem& through, const std::wstring& source,
                    const std::wstring& target, int fileCount) {
    backup::CopyRunState run{backup::kCopyStart};
    NoWindow window;
    std::atomic<std::int32_t> total{fileCount};
    backup::CopyEngine engine(through, run, window, total);
    return engine.CopyFolder(source, target) && run.ErrorCount == 0;
}

bool CopyWithVolumeFlush(const std::wstring& source, const std::wstring& target, int fileCount) {
    const std::wstring markerFolder = target + L".marker";
    files.MakeFolder(markerFolder);
    bool copied = false;
    {
        VolumeFlushStandIn standIn(markerFolder);
        copied = CopyWithEngine(standIn, source, target, fileCount);
    }
    files.Remove(markerFolder + L"\\flush-marker");
    RemoveDirectoryW(markerFolder.c_str());
    return copied;
}

// Opens the copy once more to flush it, as the engine flushes each file.
bool FlushFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

bool CopyFileLoop(const std::wstring& source, const std::wstring& target, bool flush) {
    const auto entries = files.List(source);
    if (!entries) {
        return false;
    }
    for (const auto& entry : *entries) {
        const std::wstring from = source + L"\\" + entry.name;
        const std::wstring to = target + L"\\" + entry.name;
        const bool copied =
            entry.IsFolder()
                ? (platform::FolderExists(files, to) || files.MakeFolder(to)) &&
                      CopyFileLoop(from, to, flush)
                : CopyFileW(from.c_str(), to.c_str(), FALSE) && (!flush || FlushFile(to));
        if (!copied) {
            return false;
        }
    }
    return true;
}

struct Method {
    const char* name;
    std::function<bool(const std::wstring& source, const std::wstring& target, int files)> copy;
};

constexpr std::size_t kEngines = 2;
constexpr std::size_t kCopyFile = 2;
constexpr std::size_t kCopyFileFlush = 3;

const Method kMethods[] = {
    {"engine, volume flush", CopyWithVolumeFlush},
    {"engine, file flushes",
     [](auto& s, auto& t, int n) { return CopyWithEngine(files, s, t, n); }},
    {"CopyFileW", [](auto& s, auto& t, int) { return CopyFileLoop(s, t, false); }},
    {"CopyFileW + flush", [](auto& s, auto& t, int) { return CopyFileLoop(s, t, true); }},
};

// Mean seconds per copy of the tree; negative when a copy failed. counted
// gets the file calls of the copies.
double MeanSeconds(const Method& method, const TreeShape& shape, const std::wstring& folder,
                   int iterations, FileCallCounts& counted) {
    const std::wstring source = folder + Wide(shape.name);
    const std::wstring target = folder + L"out";
    double total = 0;
    for (int i = 0; i < iterations; ++i) {
        RemoveTree(target);
        if (!files.MakeFolder(target)) {
            return -1;
        }
        const FileCallCounts before = FileCallsSoFar();
        const auto started = std::chrono::steady_clock::now();
        const bool copied = method.copy(source, target, shape.files);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const FileCallCounts after = FileCallsSoFar();
        counted.calls += after.calls - before.calls;
        counted.flushes += after.flushes - before.flushes;
        if (!copied) {
            return -1;
        }
    }
    RemoveTree(target);
    return total / iterations;
}

std::wstring DefaultFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"stowkeep-copy-bench";
}

int Run(const std::wstring& given, int iterations) {
    std::wstring folder = given.empty() ? DefaultFolder() : given;
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    files.MakeFolder(folder);
    for (const TreeShape& shape : kTreeShapes) {
        if (!MakeTree(files, folder, shape)) {
            std::fprintf(stderr, "cannot make the %s tree\n", shape.name);
            return 1;
        }
        const double megabytes = static_cast<double>(TreeBytes(shape)) / 1e6;
        std::printf("%s files: %d files, %.1f MB, mean of %d copies\n", shape.name, shape.files,
                    megabytes, iterations);
        double seconds[std::size(kMethods)] = {};
        for (std::size_t m = 0; m < std::size(kMethods); ++m) {
            FileCallCounts counted;
            seconds[m] = MeanSeconds(kMethods[m], shape, folder, iterations, counted);
            if (seconds[m] <= 0) {
                std::fprintf(stderr, "  %s: the copy failed\n", kMethods[m].name);
                return 1;
            }
            const double perFile = static_cast<double>(iterations) * shape.files;
            std::printf("  %-22s %8.2f s %8.1f MB/s %6.2f file calls and %5.3f flushes per file\n",
                        kMethods[m].name, seconds[m], megabytes / seconds[m],
                        static_cast<double>(counted.calls) / perFile,
                        static_cast<double>(counted.flushes) / perFile);
            std::fflush(stdout);
        }
        for (std::size_t e = 0; e < kEngines; ++e) {
            for (const std::size_t r : {kCopyFile, kCopyFileFlush}) {
                std::printf("%s files: %s / %s throughput = %.2f\n", shape.name, kMethods[e].name,
                            kMethods[r].name, seconds[r] / seconds[e]);
            }
        }
    }
    return 0;
}

} // namespace
} // namespace stowkeep::bench

int wmain(int argc, wchar_t** argv) {
    const std::wstring folder = argc > 1 ? argv[1] : L"";
    const int iterations = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    if (!stowkeep::bench::CountFileCalls()) {
        std::fprintf(stderr, "cannot count the file calls\n");
        return 1;
    }
    return stowkeep::bench::Run(folder, iterations);
}
