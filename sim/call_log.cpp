#include "sim/call_log.h"

namespace stowkeep::sim {

Call* CallLog::Add(Op op) {
    ++total_;
    if (size_ == calls_.size())
        return nullptr;
    Call& call = calls_[size_++];
    call = Call{op};
    return &call;
}

} // namespace stowkeep::sim
