// The copy engine on the real Win32 file seam against CopyFileW in a loop,
// for a few large files (200 MiB) and for many small ones (3000 of 4 to
// 64 KiB). A Windows program, run under Wine; prints each method's mean time
// and throughput and the throughput ratios (ours / reference).
//
// Arguments: [folder for the trees] [iterations]. The trees are made once in
// the folder (about 300 MB) and kept; the copies are removed after each run.

#include "backup/copy_engine.h"
#include "bench_trees.h"
#include "no_window.h"
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

bool CopyWithEngine(const std::wstring& source, const std::wstring& target, int fileCount) {
    backup::CopyRunState run{backup::kCopyStart};
    NoWindow window;
    std::atomic<std::int32_t> total{fileCount};
    backup::CopyEngine engine(files, run, window, total);
    return engine.CopyFolder(source, target) && run.ErrorCount == 0;
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

const Method kMethods[] = {
    {"copy engine", CopyWithEngine},
    {"CopyFileW", [](auto& s, auto& t, int) { return CopyFileLoop(s, t, false); }},
    {"CopyFileW + flush", [](auto& s, auto& t, int) { return CopyFileLoop(s, t, true); }},
};

// Mean seconds per copy of the tree; negative when a copy failed.
double MeanSeconds(const Method& method, const TreeShape& shape, const std::wstring& folder,
                   int iterations) {
    const std::wstring source = folder + Wide(shape.name);
    const std::wstring target = folder + L"out";
    double total = 0;
    for (int i = 0; i < iterations; ++i) {
        RemoveTree(target);
        if (!files.MakeFolder(target)) {
            return -1;
        }
        const auto started = std::chrono::steady_clock::now();
        const bool copied = method.copy(source, target, shape.files);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
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
            seconds[m] = MeanSeconds(kMethods[m], shape, folder, iterations);
            if (seconds[m] <= 0) {
                std::fprintf(stderr, "  %s: the copy failed\n", kMethods[m].name);
                return 1;
            }
            std::printf("  %-20s %8.2f s %8.1f MB/s\n", kMethods[m].name, seconds[m],
                        megabytes / seconds[m]);
            std::fflush(stdout);
        }
        for (std::size_t m = 1; m < std::size(kMethods); ++m) {
            std::printf("%s files: copy engine / %s throughput = %.2f\n", shape.name,
                        kMethods[m].name, seconds[m] / seconds[0]);
        }
    }
    return 0;
}

} // namespace
} // namespace stowkeep::bench

int wmain(int argc, wchar_t** argv) {
    const std::wstring folder = argc > 1 ? argv[1] : L"";
    const int iterations = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    return stowkeep::bench::Run(folder, iterations);
}
