#include "devicelib/transport.h"

#include "devicelib/library_state.h"
#include "devicelib/os_table.h"

#include <algorithm>
#include <cstring>

namespace stowkeep::hatchlink {

namespace {

// A device that keeps sending empty chunks with the more-data byte set would
// otherwise hold the poll thread, and DllEnd waiting for it, forever.
constexpr int kMaxEmptyChunksInARow = 100;

int Exchange(Handle hub, std::uint16_t value, std::uint16_t index, UsbDescriptorRequest& reply) {
    std::memset(&reply, 0, sizeof reply);
    reply.connectionIndex = CurrentHubPort;
    reply.wValue = value;
    reply.wIndex = index;
    reply.wLength = sizeof reply.data;
    std::uint32_t returned = 0;
    return Os().DeviceIoControl(hub, kIoctlUsbGetDescriptorFromNodeConnection, &reply, sizeof reply,
                                &reply, sizeof reply, &returned);
}

int Refuse(PassThroughRequest& request) {
    request.sptd.scsiStatus = kScsiStatusCheckCondition;
    return 1;
}

// One C0F2h exchange, repeated while the device is busy. 0: not carried or timed out.
int FetchChunk(Handle hub, std::uint16_t received, UsbDescriptorRequest& reply) {
    const std::uint32_t allowanceMs = CommandTimeoutSeconds * 1000;
    std::uint32_t waitedMs = 0;
    for (;;) {
        if (!Exchange(hub, kTunnelFetch, received, reply))
            return 0;
        if (reply.data[0] != kTunnelBusy)
            return 1;
        Os().Sleep(kTunnelBusyPauseMs);
        waitedMs += kTunnelBusyPauseMs;
        if (waitedMs >= allowanceMs)
            return 0;
    }
}

int ReceiveData(Handle hub, PassThroughRequest& request, std::uint32_t length) {
    UsbDescriptorRequest reply;
    std::uint32_t received = 0;
    int emptyInARow = 0;
    request.sptd.dataTransferLength = 0;
    for (;;) {
        if (!FetchChunk(hub, static_cast<std::uint16_t>(received), reply))
            return 0;
        if (reply.data[0] != kTunnelDone)
            return Refuse(request);
        // Never trust the chunk length beyond what the reply holds or the command asked for.
        std::size_t n = reply.data[2] | (reply.data[3] << 8);
        n = std::min({n, kTunnelChunkCapacity, std::size_t{length - received}});
        std::memcpy(DataBuffer + received, reply.data + 4, n);
        received += static_cast<std::uint32_t>(n);
        request.sptd.dataTransferLength = received;
        if (reply.data[1] == 0 || received >= length) {
            request.sptd.scsiStatus = kScsiStatusGood;
            return 1;
        }
        emptyInARow = n == 0 ? emptyInARow + 1 : 0;
        if (emptyInARow >= kMaxEmptyChunksInARow)
            return 0;
    }
}

} // namespace

void BuildRequest(PassThroughRequest& request, const std::uint8_t* cdb, std::uint8_t cdbLength,
                  std::uint32_t length) {
    std::memset(&request, 0, sizeof request);
    ScsiPassThroughDirect& s = request.sptd;
    s.length = sizeof(ScsiPassThroughDirect);
    s.targetId = 1;
    s.cdbLength = cdbLength;
    s.senseInfoLength = sizeof request.sense;
    s.dataIn = 1;
    s.dataTransferLength = length;
    s.timeOutValue = CommandTimeoutSeconds;
    s.dataBuffer = DataBuffer;
    s.senseInfoOffset = offsetof(PassThroughRequest, sense);
    std::memcpy(s.cdb, cdb, cdbLength);
}

int SendDirect(Handle device, PassThroughRequest& request) {
    std::uint32_t returned = 0;
    return Os().DeviceIoControl(device, kIoctlScsiPassThroughDirect, &request, sizeof request,
                                &request, sizeof request, &returned);
}

int SendThroughHub(Handle hub, PassThroughRequest& request) {
    const std::uint32_t length =
        std::min<std::uint32_t>(request.sptd.dataTransferLength, kDataBufferSize);
    UsbDescriptorRequest reply;
    if (!Exchange(hub, kTunnelBegin, static_cast<std::uint16_t>(length), reply))
        return 0;
    if (reply.data[0] != kTunnelDone)
        return Refuse(request);
    const std::uint8_t* c = request.sptd.cdb;
    for (int k = 0; k < 5; ++k) {
        const auto pair = static_cast<std::uint16_t>(c[2 * k] | (c[2 * k + 1] << 8));
        if (!Exchange(hub, kTunnelCommandBytes, pair, reply))
            return 0;
        if (reply.data[0] != kTunnelDone)
            return Refuse(request);
    }
    return ReceiveData(hub, request, length);
}

int SendCommand(Handle handle, PassThroughRequest& request) {
    return IsAdministrator ? SendDirect(handle, request) : SendThroughHub(handle, request);
}

} // namespace stowkeep::hatchlink
