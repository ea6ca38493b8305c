#include "sim/firmware.h"

#include <algorithm>
#include <cstring>

namespace stowkeep::sim {

namespace {

constexpr std::uint8_t kGood = 0;
constexpr std::uint8_t kCheckCondition = 2;
constexpr std::uint8_t kTunnelDone = 0x00;
constexpr std::uint8_t kTunnelBusy = 0x80;
constexpr std::uint8_t kTunnelFailed = 0x01;

template <std::size_t N>
std::uint32_t Put(const std::array<std::uint8_t, N>& data, std::uint8_t* out,
                  std::uint32_t capacity) {
    const auto n = std::min<std::uint32_t>(N, capacity);
    std::memcpy(out, data.data(), n);
    return n;
}

} // namespace

Firmware::Firmware() {
    identity = {'K', 'D', 0x02, 0x07, 0x10, 0, 0, 0};
    slotHeader = {0x01, 0, 0, 0, 0, 0, 0};
}

void Firmware::AddSlot(std::uint8_t lunFlag, std::uint8_t slotClass) {
    SlotRecord slot{};
    slot[0] = static_cast<std::uint8_t>(slots.size());
    slot[11] = lunFlag;
    slot[12] = slotClass;
    slots.push_back(slot);
    slotHeader[1] = static_cast<std::uint8_t>(slots.size());
}

void Firmware::PressButton(std::uint8_t state, std::uint8_t seconds) {
    button_[0] = state;
    button_[1] = seconds;
}

std::uint8_t Firmware::Execute(const std::uint8_t* cdb, std::uint8_t* out, std::uint32_t capacity,
                               std::uint32_t* produced) const {
    *produced = 0;
    if (cdb[0] != 0x3C || cdb[1] != 0x01 || refusedBuffers[cdb[2]])
        return kCheckCondition;
    switch (cdb[2]) {
    case 0x52:
        *produced = Put(identity, out, capacity);
        return kGood;
    case 0x59:
        if (!hasSlotList)
            return kCheckCondition;
        *produced = Put(slotHeader, out, capacity);
        return kGood;
    case 0x61:
        if (cdb[8] >= slots.size())
            return kCheckCondition;
        *produced = Put(slots[cdb[8]], out, capacity);
        return kGood;
    case 0x51:
        *produced = Put(unitFlags, out, capacity);
        return kGood;
    case 0x63: {
        const std::array<std::uint8_t, 2> button =
            buttonSource ? buttonSource() : std::array<std::uint8_t, 2>{button_[0], button_[1]};
        *produced = Put(button, out, capacity);
        return kGood;
    }
    default:
        return kCheckCondition;
    }
}

bool Firmware::TunnelExchange(hatchlink::UsbDescriptorRequest& request) {
    if ((request.wValue >> 8) != 0xC0 || request.wLength != sizeof request.data)
        return false;
    std::uint8_t* reply = request.data;
    switch (request.wValue & 0xFF) {
    case 0xF1:
        reply[0] = refuseBegin ? kTunnelFailed : kTunnelDone;
        phase_ = refuseBegin ? Phase::Idle : Phase::CommandBytes;
        bytesExchanges_ = 0;
        length_ = request.wIndex;
        return true;
    case 0xF0: {
        if (phase_ != Phase::CommandBytes || refuseCommandByteExchange == bytesExchanges_) {
            reply[0] = kTunnelFailed;
            phase_ = Phase::Idle;
            return true;
        }
        cdb_[2 * bytesExchanges_] = static_cast<std::uint8_t>(request.wIndex & 0xFF);
        cdb_[2 * bytesExchanges_ + 1] = static_cast<std::uint8_t>(request.wIndex >> 8);
        reply[0] = kTunnelDone;
        if (++bytesExchanges_ == 5) {
            replyStatus_ = Execute(cdb_, reply_, std::min<std::uint32_t>(length_, sizeof reply_),
                                   &replyLength_);
            phase_ = Phase::Sending;
            sent_ = 0;
            StartChunk();
        }
        return true;
    }
    case 0xF2:
        AnswerFetch(request);
        return true;
    default:
        return false;
    }
}

void Firmware::StartChunk() {
    busyLeft_ = busyBeforeChunk;
    emptyPending_ = emptyChunkBeforeEach;
}

void Firmware::AnswerFetch(hatchlink::UsbDescriptorRequest& request) {
    std::uint8_t* reply = request.data;
    if (!script.empty()) {
        const TunnelReply r = script.front();
        script.pop_front();
        std::memset(reply, r.fill, sizeof request.data);
        reply[0] = r.status;
        reply[1] = r.more;
        reply[2] = static_cast<std::uint8_t>(r.declaredLength & 0xFF);
        reply[3] = static_cast<std::uint8_t>(r.declaredLength >> 8);
        return;
    }
    // A sound firmware sees the count of bytes the host has received so far.
    const bool indexWrong = declaredChunkLength < 0 && request.wIndex != (sent_ & 0xFFFF);
    if (phase_ != Phase::Sending || replyStatus_ != kGood || indexWrong) {
        reply[0] = kTunnelFailed;
        phase_ = Phase::Idle;
        return;
    }
    if (busyLeft_ > 0) {
        --busyLeft_;
        reply[0] = kTunnelBusy;
        return;
    }
    reply[0] = kTunnelDone;
    if (emptyPending_) {
        emptyPending_ = false;
        reply[1] = 1;
        return;
    }
    const auto n =
        static_cast<std::uint32_t>(std::min<std::size_t>({chunkSize, replyLength_ - sent_, 1020}));
    std::memcpy(reply + 4, reply_ + sent_, n);
    const std::uint32_t declared =
        declaredChunkLength >= 0 ? static_cast<std::uint32_t>(declaredChunkLength) : n;
    reply[2] = static_cast<std::uint8_t>(declared & 0xFF);
    reply[3] = static_cast<std::uint8_t>(declared >> 8);
    sent_ += n;
    reply[1] = sent_ < replyLength_ ? 1 : 0;
    if (reply[1])
        StartChunk();
    else
        phase_ = Phase::Idle;
}

} // namespace stowkeep::sim
