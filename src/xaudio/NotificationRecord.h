#pragma once
// Builds one converted notification in the layout of XA_Message: fixed fields at
// byte offsets from the start, texts stored after the fixed part and referred to
// by their 32-bit offset.
#include "xaudio/XAudioInterface.h"
#include <cstdint>
#include <string>
#include <vector>

class NotificationRecord {
public:
    explicit NotificationRecord(int code);
    NotificationRecord &U8(size_t at, uint8_t value);
    NotificationRecord &U16(size_t at, uint16_t value);
    NotificationRecord &U32(size_t at, uint32_t value);
    NotificationRecord &Text(size_t at, const std::string &text);
    const std::vector<unsigned char> &Bytes() const { return bytes; }

private:
    static constexpr size_t FixedPart = 64;
    std::vector<unsigned char> bytes;
};
