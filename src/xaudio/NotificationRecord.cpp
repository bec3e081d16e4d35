#include "xaudio/NotificationRecord.h"

NotificationRecord::NotificationRecord(int code) : bytes(FixedPart, 0)
{
    U32(0, uint32_t(code));
}

NotificationRecord &NotificationRecord::U8(size_t at, uint8_t value)
{
    bytes[at] = value;
    return *this;
}

NotificationRecord &NotificationRecord::U16(size_t at, uint16_t value)
{
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
    return *this;
}

NotificationRecord &NotificationRecord::U32(size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
    return *this;
}

NotificationRecord &NotificationRecord::Text(size_t at, const std::string &text)
{
    // Keep the whole record inside the message buffer; an overlong text is cut.
    const size_t start = bytes.size();
    if (start + 1 >= XA_MESSAGE_SIZE) return U32(at, 0);
    const size_t room = XA_MESSAGE_SIZE - start - 1;
    const size_t n = text.size() < room ? text.size() : room;
    bytes.insert(bytes.end(), text.begin(), text.begin() + long(n));
    bytes.push_back(0);
    return U32(at, uint32_t(start));
}
