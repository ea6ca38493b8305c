#pragma once

// Counts the kernel32 file calls that this program makes, by pointing its
// import table at counting stand-ins (Windows build, for the benchmark).

namespace stowkeep::bench {

struct FileCallCounts {
    long long calls = 0;   // every file call below, flushes included
    long long flushes = 0; // FlushFileBuffers
};

// Installs the stand-ins once; false when the import table was not found.
bool CountFileCalls();
FileCallCounts FileCallsSoFar();

} // namespace stowkeep::bench
