// The copy engine (1024-byte blocks, one temporary file and one flush per
// file) against `cp -r` on the host's file system, for a few large files
// (200 MiB) and for many small ones (3000 of 4 to 64 KiB). Prints the
// throughput ratios at the end.

#include "backup/copy_engine.h"
#include "bench_trees.h"
#include "no_window.h"
#include "posix_files.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace stowkeep::bench {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = fs::path(STOWKEEP_BENCH_DIR) / "copy-bench";

fs::path SourceOf(const TreeShape& shape) {
    return kRoot / "drive" / shape.name;
}

void MakeTrees(PosixFileSystem& files) {
    fs::create_directories(kRoot / "drive");
    for (const TreeShape& shape : kTreeShapes) {
        if (!MakeTree(files, L"X:\\", shape)) {
            std::fprintf(stderr, "cannot make the %s tree\n", shape.name);
            std::exit(1);
        }
    }
}

void Fresh(const fs::path& target) {
    fs::remove_all(target);
    fs::create_directories(target);
    std::system("sync");
}

void Engine(benchmark::State& state, const TreeShape& shape, bool flushes) {
    PosixFileSystem files((kRoot / "drive").string(), flushes);
    const std::wstring name = Wide(shape.name);
    for (auto _ : state) {
        state.PauseTiming();
        Fresh(kRoot / "drive" / "out");
        state.ResumeTiming();
        backup::CopyRunState run{backup::kCopyStart};
        NoWindow window;
        std::atomic<std::int32_t> total{shape.files};
        backup::CopyEngine engine(files, run, window, total);
        if (!engine.CopyFolder(L"X:\\" + name, L"X:\\out") || run.ErrorCount != 0) {
            state.SkipWithError("copy failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(TreeBytes(shape)) * state.iterations());
}

void CopyCommand(benchmark::State& state, const TreeShape& shape, const char* after) {
    const std::string command = "cp -r '" + SourceOf(shape).string() + "' '" +
                                (kRoot / "drive" / "out").string() + "/'" + after;
    for (auto _ : state) {
        state.PauseTiming();
        Fresh(kRoot / "drive" / "out");
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("cp failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(TreeBytes(shape)) * state.iterations());
}

// Records each benchmark's time per iteration, then prints the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* shape : {"large", "small"}) {
            const std::string s = shape;
            for (const char* engine : {"Engine", "Engine without flush"}) {
                for (const char* other : {"cp -r", "cp -r + sync"}) {
                    const double mine = Find(std::string(engine) + "/" + s);
                    const double cp = Find(std::string(other) + "/" + s);
                    if (mine > 0 && cp > 0) {
                        std::printf("%s files: %s / %s throughput = %.2f\n", shape, engine, other,
                                    cp / mine);
                    }
                }
            }
        }
    }

  private:
    double Find(const std::string& prefix) const {
        for (const auto& [name, value] : seconds_) {
            if (name.rfind(prefix, 0) == 0) {
                return value;
            }
        }
        return 0;
    }
    std::map<std::string, double> seconds_;
};

} // namespace
} // namespace stowkeep::bench

int main(int argc, char** argv) {
    using namespace stowkeep::bench;
    {
        PosixFileSystem files((kRoot / "drive").string(), true);
        MakeTrees(files);
    }
    for (const TreeShape& shape : kTreeShapes) {
        const std::string s = shape.name;
        benchmark::RegisterBenchmark(("Engine/" + s).c_str(), Engine, shape, true)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
        benchmark::RegisterBenchmark(("Engine without flush/" + s).c_str(), Engine, shape, false)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
        benchmark::RegisterBenchmark(("cp -r/" + s).c_str(), CopyCommand, shape, "")
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
        benchmark::RegisterBenchmark(("cp -r + sync/" + s).c_str(), CopyCommand, shape, " && sync")
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    fs::remove_all(kRoot / "drive" / "out");
}
