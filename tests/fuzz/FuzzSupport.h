#pragma once
// What the fuzz targets share: a failed check prints what broke and aborts, so the fuzzer
// keeps the input and a corpus replay fails; and a reader that takes the input apart.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzFail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}
#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) FuzzFail(#condition, __FILE__, __LINE__); \
    } while (0)

// Takes the input apart from the front; past the end every read gives zeros or nothing.
class TFuzzInput {
public:
    TFuzzInput(const uint8_t *data, size_t size) : FData(data), FSize(size) {}
    uint8_t Byte() { return FAt < FSize ? FData[FAt++] : 0; }
    uint16_t Word() { return uint16_t(Byte() | (Byte() << 8)); }
    uint32_t Long() { return uint32_t(Word()) | (uint32_t(Word()) << 16); }
    QByteArray Bytes(size_t count)
    {
        const size_t n = count < FSize - FAt ? count : FSize - FAt;
        const QByteArray out(reinterpret_cast<const char *>(FData + FAt), qsizetype(n));
        FAt += n;
        return out;
    }
    // A piece whose length is given by the byte before it.
    QByteArray Piece() { return Bytes(Byte()); }
    QByteArray Rest() { return Bytes(FSize - FAt); }

private:
    const uint8_t *FData;
    size_t FSize;
    size_t FAt = 0;
};
