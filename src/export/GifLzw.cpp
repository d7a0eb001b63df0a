#include "export/GifLzw.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <new>

namespace grafolux {

namespace {

constexpr int kCodeBits = 9;
constexpr uint16_t kFirstEntry = 258;
static_assert(kFirstEntry + LzwRowCoder::kMaxEntries <= 511);

std::unique_ptr<uint16_t[], decltype(&std::free)> ZeroedCodes(size_t count) {
    auto* codes = static_cast<uint16_t*>(std::calloc(count, sizeof(uint16_t)));
    if (!codes) throw std::bad_alloc();
    return {codes, &std::free};
}

// End of the run of pixels equal to pixels[x], eight at a time.
int RunEnd(const uint8_t* pixels, int x, int width) {
    const uint8_t pixel = pixels[x];
    const uint64_t eight = 0x0101010101010101ULL * pixel;
    for (; x + 8 <= width; x += 8) {
        uint64_t word;
        std::memcpy(&word, pixels + x, 8);
        if (const uint64_t differs = word ^ eight) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(differs)
                                                                       : std::countl_zero(differs);
            return x + bit / 8;
        }
    }
    while (x < width && pixels[x] == pixel) ++x;
    return x;
}

}  // namespace

LzwRowCoder::LzwRowCoder(std::vector<uint8_t>& out)
    : out_(out),
      colTable_(ZeroedCodes(size_t{256} * kCodes)),
      familyCodes_(std::make_unique_for_overwrite<uint16_t[]>(size_t{kFamilies} * kLongestRun)) {
    for (uint16_t pixel = 0; pixel < 256; ++pixel) {
        tailPixel_[pixel] = static_cast<uint8_t>(pixel);
        tailRun_[pixel] = 1;
        family_[pixel] = pixel;
        familyCodes_[pixel * kLongestRun + 1] = pixel;
    }
}

void LzwRowCoder::CodeRow(const uint8_t* pixels, int width) {
    if (width <= 0) return;
    WriteClear();
    const uint16_t* const table = colTable_.get();
    uint32_t code = pixels[0];
    int runEnd = 0;
    for (int x = 1; x < width;) {
        const uint8_t pixel = pixels[x];
        if (tailPixel_[code] == pixel) {
            if (x >= runEnd) runEnd = RunEnd(pixels, x, width);
            const uint32_t family = family_[code];
            const int run = tailRun_[code];
            const int step = std::min(runEnd - x, familyLongest_[family] - run);
            if (step > 0) {
                code = familyCodes_[family * kLongestRun + run + step];
                x += step;
                continue;
            }
        }
        const uint32_t slot = pixel * kCodes + code;
        if (const uint16_t longer = table[slot]) {
            code = longer;
        } else {
            WriteBits(code);
            if (entries_ == kMaxEntries)
                WriteClear();
            else
                AddEntry(code, pixel, slot);
            code = pixel;
        }
        ++x;
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

void LzwRowCoder::AddEntry(uint32_t code, uint8_t pixel, uint32_t slot) {
    const auto added = static_cast<uint16_t>(kFirstEntry + entries_);
    colTable_[slot] = added;
    entrySlots_[entries_++] = slot;
    const bool sameRun = tailPixel_[code] == pixel;
    const uint32_t family = sameRun ? family_[code] : nextFamily_++;
    const auto run = static_cast<uint8_t>(sameRun ? tailRun_[code] + 1 : 1);
    tailPixel_[added] = pixel;
    tailRun_[added] = run;
    family_[added] = static_cast<uint16_t>(family);
    familyLongest_[family] = run;
    familyCodes_[family * kLongestRun + run] = added;
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
    std::fill_n(familyLongest_.begin(), 256, 1);
    nextFamily_ = 256;
    WriteBits(kClearCode);
}

}  // namespace grafolux
