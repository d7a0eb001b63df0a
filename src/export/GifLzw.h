#pragma once
// The image data of a GIF: LZW codes of exactly 9 bits, lowest bit first, packed into
// sub-blocks of at most 255 data bytes. Every row starts with a clear code and the string
// table holds at most 253 entries, so codes stay below 511 and a decoder never widens them.

#include <array>
#include <cstdint>
#include <vector>

namespace grafolux {

class LzwRowCoder {
public:
    static constexpr uint16_t kClearCode = 256;
    static constexpr uint16_t kEndCode = 257;
    static constexpr int kMaxEntries = 253;

    // Full sub-blocks are appended to `out` as soon as they are complete.
    explicit LzwRowCoder(std::vector<uint8_t>& out);

    void CodeRow(const uint8_t* pixels, int width);
    // The end-of-information code, the last sub-block and the block terminator.
    void Finish();

private:
    void WriteBits(uint32_t code);
    void PutByte(uint8_t byte);
    void WriteClear();

    std::vector<uint8_t>& out_;
    // colTable: the code of string K followed by pixel q at K * 256 + q, 0 when absent.
    std::vector<uint16_t> colTable_;
    std::array<uint32_t, kMaxEntries> entrySlots_{};  // what to empty at the next clear
    int entries_ = 0;
    uint32_t bits_ = 0;  // bits not yet in a byte, lowest first
    int bitCount_ = 0;
    std::array<uint8_t, 256> bytBlock_{};  // byte 0: number of data bytes in use
};

}  // namespace grafolux
