#include "devicelib/queries.h"

#include "devicelib/library_state.h"
#include "devicelib/transport.h"

#include <algorithm>
#include <cstring>

namespace stowkeep::hatchlink {

namespace {

using Sender = int (*)(Handle, PassThroughRequest&);

int Query(Sender send, Handle handle, const std::uint8_t* cdb, std::uint8_t cdbLength,
          std::uint32_t length, std::uint8_t* out) {
    std::memset(out, 0, length);
    PassThroughRequest request;
    BuildRequest(request, cdb, cdbLength, length);
    if (!send(handle, request) || request.sptd.scsiStatus != kScsiStatusGood)
        return 0;
    std::memcpy(out, DataBuffer, std::min(request.sptd.dataTransferLength, length));
    return 1;
}

int VendorQuery(Handle handle, std::uint8_t bufferId, std::uint8_t index, std::uint32_t length,
                std::uint8_t* out) {
    const std::uint8_t cdb[10] = {0x3C, 0x01, bufferId, 0, 0, 0, 0, 0, index, 0};
    return Query(SendCommand, handle, cdb, sizeof cdb, length, out);
}

} // namespace

int ReadIdentity(Handle handle, std::uint8_t* out) {
    return VendorQuery(handle, 0x52, 0, kIdentityLength, out);
}

int ReadSlotHeader(Handle handle, std::uint8_t* out) {
    return VendorQuery(handle, 0x59, 0, kSlotHeaderLength, out);
}

int ReadSlotRecord(Handle handle, std::uint8_t* out, std::uint8_t index) {
    return VendorQuery(handle, 0x61, index, kSlotRecordLength, out);
}

int ReadUnitFlags(Handle handle, std::uint8_t* out) {
    return VendorQuery(handle, 0x51, 0, kUnitFlagsLength, out);
}

int InquireUnit(Handle handle, std::uint8_t* out) {
    const std::uint8_t cdb[6] = {0x12, 0, 0, 0, kInquiryLength, 0};
    return Query(SendDirect, handle, cdb, sizeof cdb, kInquiryLength, out);
}

int ReadButtonState(std::uint16_t* out) {
    std::uint8_t reply[kButtonStateLength];
    const int ok = VendorQuery(CommandHandle, 0x63, 0, kButtonStateLength, reply);
    *out = static_cast<std::uint16_t>(reply[0] | (reply[1] << 8));
    return ok;
}

} // namespace stowkeep::hatchlink
