#pragma once
// The enclosure's firmware as the device library meets it: READ BUFFER(10) vendor
// buffers 52h, 59h, 61h, 51h and 63h, carried as a SCSI pass-through or through
// the hub tunnel (C0F1h begin, C0F0h command bytes, C0F2h status and data).

#include "devicelib/device_abi.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace stowkeep::sim {

using SlotRecord = std::array<std::uint8_t, 27>;

// A C0F2h answer given as is, for replies no sound firmware would send.
struct TunnelReply {
    std::uint8_t status = 0;
    std::uint8_t more = 0;
    std::uint16_t declaredLength = 0;
    std::uint8_t fill = 0; // every data byte of the reply
};

class Firmware {
  public:
    Firmware();

    // What the firmware reports.
    std::array<std::uint8_t, 8> identity{};
    bool hasSlotList = true;
    std::array<std::uint8_t, 7> slotHeader{};
    std::vector<SlotRecord> slots;
    std::array<std::uint8_t, 12> unitFlags{};
    std::bitset<256> refusedBuffers; // buffer IDs answered with CHECK CONDITION

    // How it answers over the tunnel.
    int busyBeforeChunk = 0;           // busy replies before each chunk
    std::size_t chunkSize = 1020;      // data bytes per chunk
    bool emptyChunkBeforeEach = false; // an empty chunk with the more-data byte first
    bool refuseBegin = false;
    int refuseCommandByteExchange = -1; // 0..4: that C0F0h exchange is refused
    int declaredChunkLength = -1;       // claimed in every chunk instead of the true length
    std::deque<TunnelReply> script;     // answers to the next C0F2h exchanges, used first

    // Over the pass-through: a driver that reports this many bytes instead.
    int reportedLength = -1;

    // When set, asked for the state and seconds bytes at each button query in
    // place of what PressButton stored, so a button can be worked from outside.
    std::function<std::array<std::uint8_t, 2>()> buttonSource;

    // Adds a slot; lunFlag is byte 11, slotClass byte 12. Keeps the header's count.
    void AddSlot(std::uint8_t lunFlag, std::uint8_t slotClass);
    void PressButton(std::uint8_t state, std::uint8_t seconds);

    // One command: fills out (up to capacity), returns the SCSI status.
    std::uint8_t Execute(const std::uint8_t* cdb, std::uint8_t* out, std::uint32_t capacity,
                         std::uint32_t* produced) const;
    // One descriptor request through the hub port; false when the port stalls it.
    bool TunnelExchange(hatchlink::UsbDescriptorRequest& request);

  private:
    enum class Phase { Idle, CommandBytes, Sending };
    void AnswerFetch(hatchlink::UsbDescriptorRequest& request);
    void StartChunk();

    std::uint8_t button_[2] = {};
    Phase phase_ = Phase::Idle;
    int bytesExchanges_ = 0;
    std::uint16_t length_ = 0;
    std::uint8_t cdb_[10] = {};
    std::uint8_t reply_[4096] = {};
    std::uint32_t replyLength_ = 0;
    std::uint8_t replyStatus_ = 0;
    std::uint32_t sent_ = 0;
    int busyLeft_ = 0;
    bool emptyPending_ = false;
};

} // namespace stowkeep::sim
