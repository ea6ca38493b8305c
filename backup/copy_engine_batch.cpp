#include "backup/copy_engine_walk.h"

namespace stowkeep::backup {

using platform::FileError;

CopyEngine::Walk::~Walk() = default;

CopyEngine::Walk::Outcome CopyEngine::Walk::AddToBatch(std::unique_ptr<Temporary> temporary,
                                                       std::wstring target, std::uint64_t size) {
    freeEstimate_ = *freeEstimate_ > size ? *freeEstimate_ - size : 0;
    batch_.push_back({std::move(temporary), std::move(target)});
    batchBytes_ += size;
    if (batch_.size() >= engine_.batching_.files || batchBytes_ >= engine_.batching_.bytes) {
        return CommitBatch();
    }
    return Outcome::copied;
}

CopyEngine::Walk::Outcome CopyEngine::Walk::CommitBatch() {
    if (batch_.empty()) {
        return Outcome::copied;
    }
    std::size_t end = 0;
    Outcome outcome = MakeBatchDurable(end);
    for (std::size_t i = 0; i < end; ++i) {
        Pending& pending = batch_[i];
        if (!pending.durable) {
            continue;
        }
        if (pending.temporary->MoveTo(pending.target)) {
            ++engine_.run_.CopiedCount;
        } else if (DestinationFailure() == Outcome::vanished) {
            outcome = Outcome::vanished;
            break;
        }
    }
    batch_.clear();
    batchBytes_ = 0;
    freeEstimate_.reset();
    return outcome;
}

// Marks the files of the batch that a power cut can no longer take back;
// end is where the batch stops as a file-by-file copy would have stopped (a
// full disk, a vanished volume): the files from there on are dropped.
CopyEngine::Walk::Outcome CopyEngine::Walk::MakeBatchDurable(std::size_t& end) {
    if (!volumeFlushRefused_) {
        const FileError error = engine_.files_.FlushVolume(destinationRoot_);
        if (error == FileError::none) {
            for (Pending& pending : batch_) {
                pending.durable = true;
            }
            end = batch_.size();
            return Outcome::copied;
        }
        // Refused: the system cannot flush a volume, each file is flushed
        // from now on. Any other failure: this batch's files tell why.
        volumeFlushRefused_ = error == FileError::other;
    }
    for (end = 0; end < batch_.size(); ++end) {
        Pending& pending = batch_[end];
        pending.durable = pending.temporary->File().Flush();
        if (pending.durable) {
            continue;
        }
        if (pending.temporary->File().LastError() == FileError::disk_full) {
            return Outcome::no_space;
        }
        if (DestinationFailure() == Outcome::vanished) {
            return Outcome::vanished;
        }
    }
    return Outcome::copied;
}

} // namespace stowkeep::backup
