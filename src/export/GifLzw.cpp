#include "export/GifLzw.h"

#include <cstddef>

namespace grafolux {

namespace {
constexpr int kCodeBits = 9;
constexpr uint16_t kFirstEntry = 258;
constexpr size_t kLargestCode = kFirstEntry + LzwRowCoder::kMaxEntries - 1;
}  // namespace

LzwRowCoder::LzwRowCoder(std::vector<uint8_t>& out)
    : out_(out), colTable_((kLargestCode + 1) * 256, 0) {}

void LzwRowCoder::CodeRow(const uint8_t* pixels, int width) {
    if (width <= 0) return;
    WriteClear();
    uint32_t code = pixels[0];
    for (int x = 1; x < width; ++x) {
        const uint8_t pixel = pixels[x];
        const uint32_t slot = code * 256 + pixel;
        if (const uint16_t longer = colTable_[slot]) {
            code = longer;
            continue;
        }
        WriteBits(code);
        if (entries_ == kMaxEntries) {
            WriteClear();
        } else {
            colTable_[slot] = static_cast<uint16_t>(kFirstEntry + entries_);
            entrySlots_[entries_++] = slot;
        }
        code = pixel;
    }
    WriteBits(code);
}

void LzwRowCoder::Finish() {
    WriteBits(kEndCode);
    if (bitCount_ > 0) PutByte(static_cast<uint8_t>(bits_));
    bits_ = 0;
    bitCount_ = 0;
    if (bytBlock_[0] > 0)
        out_.insert(out_.end(), bytBlock_.begin(), bytBlock_.begin() + 1 + bytBlock_[0]);
    bytBlock_[0] = 0;
    out_.push_back(0);
}

void LzwRowCoder::WriteBits(uint32_t code) {
    bits_ |= code << bitCount_;
    bitCount_ += kCodeBits;
    while (bitCount_ >= 8) {
        PutByte(static_cast<uint8_t>(bits_));
        bits_ >>= 8;
        bitCount_ -= 8;
    }
}

// A full sub-block goes out at once; the output is the same as holding it back until the
// next byte needs room, and the last sub-block is never empty.
void LzwRowCoder::PutByte(uint8_t byte) {
    bytBlock_[++bytBlock_[0]] = byte;
    if (bytBlock_[0] == 255) {
        out_.insert(out_.end(), bytBlock_.begin(), bytBlock_.end());
        bytBlock_[0] = 0;
    }
}

void LzwRowCoder::WriteClear() {
    for (int n = 0; n < entries_; ++n) colTable_[entrySlots_[n]] = 0;
    entries_ = 0;
    WriteBits(kClearCode);
}

}  // namespace grafolux
