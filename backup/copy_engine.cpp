#include "backup/copy_engine.h"

#include "backup/copy_engine_walk.h"

#include <exception>

namespace stowkeep::backup {

CopyEngine::CopyEngine(platform::FileSystem& files, CopyRunState& run, CopyWindowPort& window,
                       const std::atomic<std::int32_t>& totalFileCount, Clock clock,
                       Batching batching)
    : files_(files), run_(run), window_(window), totalFileCount_(totalFileCount),
      clock_(std::move(clock)), batching_(batching) {}

bool CopyEngine::CopyFolder(const std::wstring& source, const std::wstring& destination) {
    Walk walk(*this, destination);
    Walk::Outcome outcome = Walk::Outcome::copied;
    try {
        outcome = walk.Folder(source, destination, false);
    } catch (const std::exception&) {
        // Files of the top folder are not guarded by a subfolder's catch: the
        // failure counts as one error and the run goes on as after a walk.
        walk.CountError();
    }
    return walk.Finish(outcome);
}

} // namespace stowkeep::backup
