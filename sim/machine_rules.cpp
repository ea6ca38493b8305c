#include "sim/machine_rules.h"

namespace stowkeep::sim {

namespace hl = hatchlink;

namespace {

constexpr std::uint32_t kFileReadAccess = 1;
constexpr std::uint32_t kFileWriteAccess = 2;
constexpr std::uint32_t kFileReadData = 0x1;
constexpr std::uint32_t kFileWriteData = 0x2;
constexpr std::uint8_t kLargestCdb = 16;
constexpr std::uint8_t kDataUnspecified = 2;
constexpr std::uint32_t kLongestTimeOutSeconds = 30 * 60 * 60;

bool CanRead(std::uint32_t access) {
    return (access & (hl::kGenericRead | kFileReadData)) != 0;
}

bool CanWrite(std::uint32_t access) {
    return (access & (hl::kGenericWrite | kFileWriteData)) != 0;
}

} // namespace

bool ControlCodeAccessGranted(std::uint32_t code, std::uint32_t handleAccess) {
    const std::uint32_t required = (code >> 14) & 3;
    if ((required & kFileReadAccess) && !CanRead(handleAccess))
        return false;
    return !(required & kFileWriteAccess) || CanWrite(handleAccess);
}

bool HasDataAccess(std::uint32_t access) {
    return CanRead(access) || CanWrite(access);
}

bool SharesConflict(std::uint32_t access, std::uint32_t share, std::uint32_t otherAccess,
                    std::uint32_t otherShare) {
    const auto refuses = [](std::uint32_t wanted, std::uint32_t shared) {
        return (CanRead(wanted) && !(shared & hl::kFileShareRead)) ||
               (CanWrite(wanted) && !(shared & hl::kFileShareWrite));
    };
    if (!HasDataAccess(access) || !HasDataAccess(otherAccess))
        return false;
    return refuses(access, otherShare) || refuses(otherAccess, share);
}

std::uint32_t PassThroughError(const hl::ScsiPassThroughDirect& request, std::uint32_t outSize,
                               std::uintptr_t alignmentMask) {
    if (request.length != sizeof request)
        return kErrorRevisionMismatch;
    const bool senseOutside =
        request.senseInfoLength != 0 &&
        (request.senseInfoOffset < sizeof request ||
         std::uint64_t{request.senseInfoOffset} + request.senseInfoLength > outSize);
    const bool misaligned =
        (reinterpret_cast<std::uintptr_t>(request.dataBuffer) & alignmentMask) != 0;
    if (request.cdbLength == 0 || request.cdbLength > kLargestCdb || senseOutside ||
        request.dataIn > kDataUnspecified || request.timeOutValue == 0 ||
        request.timeOutValue > kLongestTimeOutSeconds || misaligned ||
        (request.dataTransferLength != 0 && request.dataBuffer == nullptr))
        return kErrorInvalidParameter;
    return 0;
}

} // namespace stowkeep::sim
