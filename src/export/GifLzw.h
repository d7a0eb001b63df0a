#pragma once
// The image data of a GIF: LZW codes of exactly 9 bits, lowest bit first, packed into
// sub-blocks of at most 255 data bytes. Every row starts with a clear code and the string
// table holds at most 253 entries, so codes stay below 511 and a decoder never widens them.

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
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
    static constexpr uint32_t kCodes = 511;
    static constexpr uint32_t kLongestRun = kMaxEntries + 2;  // lengths 1 to 254

    void AddEntry(uint32_t code, uint8_t pixel, uint32_t slot);
    void WriteBits(uint32_t code);
    void PutByte(uint8_t byte);
    void WriteClear();

    std::vector<uint8_t>& out_;
    // colTable: the code of string K followed by pixel q at q * kCodes + K, 0 when absent.
    // Pixel-major, so the lookups along a run of one colour stay within a kilobyte; zeroed
    // lazily by calloc, so the rows of colours a picture never uses cost nothing.
    std::unique_ptr<uint16_t[], decltype(&std::free)> colTable_;
    std::array<uint32_t, kMaxEntries> entrySlots_{};  // what to empty at the next clear
    int entries_ = 0;

    // A row of a chart is mostly runs of one colour. Strings that end in the same string
    // followed by a run of pixel q form a family (the "base" may be empty), and the table
    // holds its members for run lengths 1 up to familyLongest_ without gaps. So a run is
    // coded by jumping straight to the member as long as the run, or the longest there is,
    // instead of walking the table pixel by pixel; the codes written are the same.
    // Families 0 to 255 are the runs of pixel 0 to 255 alone; the others are numbered as
    // they appear after each clear.
    static constexpr uint32_t kFamilies = 256 + kMaxEntries;
    std::array<uint8_t, kCodes> tailPixel_{};  // a code's last pixel
    std::array<uint8_t, kCodes> tailRun_{};    // and how often it ends its string
    std::array<uint16_t, kCodes> family_{};
    std::array<uint8_t, kFamilies> familyLongest_{};
    std::unique_ptr<uint16_t[]> familyCodes_;  // [family * kLongestRun + run length]
    uint32_t nextFamily_ = 256;

    uint32_t bits_ = 0;  // bits not yet in a byte, lowest first
    int bitCount_ = 0;
    std::array<uint8_t, 256> bytBlock_{};  // byte 0: number of data bytes in use
};

}  // namespace grafolux
