// The block codec on any bytes. Fields as the parser gives them, and any doubles, must decode to
// the very doubles they read as, whole and in any range; a block description from outside, once
// found sound, must decode within its bytes to what it decodes to one sample at a time.
#include <array>
#include <vector>

#include "FuzzKit.h"
#include "logdata/Column.h"

using namespace grafolux;

namespace {

constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

uint64_t Bits(fuzz::FuzzInput& input, int bytes) {
    uint64_t bits = 0;
    for (int byte = 0; byte < bytes; ++byte) bits = bits << 8 | input.Byte();
    return bits;
}

void CheckFields(fuzz::FuzzInput& input) {
    std::vector<int64_t> fields;
    std::vector<double> others, expected;
    const int32_t n = 1 + static_cast<int32_t>(Bits(input, 2) % kBlockSamples);
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t kind = input.AtEnd() ? 0 : input.Byte();
        if (kind < 160) {  // a short decimal: at most 15 digits
            const int decimals = kind % 16;
            auto mantissa = static_cast<int64_t>(Bits(input, 7) % 1000000000000000ULL);
            if (kind & 16) mantissa = -mantissa;
            fields.push_back(DecimalField(mantissa, decimals));
            expected.push_back(static_cast<double>(mantissa) / kPowers[decimals]);
        } else {
            fields.push_back(OtherField(static_cast<int64_t>(others.size())));
            others.push_back(std::bit_cast<double>(Bits(input, 8)));
            expected.push_back(others.back());
        }
    }
    std::vector<uint8_t> bytes;
    SampleBlock block = EncodeBlock(fields.data(), others.data(), n, bytes);
    block.bytes = bytes.data();
    FUZZ_CHECK(BlockIsSound(block, n, bytes.size()));
    std::vector<double> decoded(static_cast<size_t>(n));
    DecodeBlock(block, n, 0, n, decoded.data());
    for (int32_t i = 0; i < n; ++i) FUZZ_CHECK(fuzz::SameBits(decoded[i], expected[i]));
    const Column column = Column::Encoded(expected);
    const int32_t from = static_cast<int32_t>(Bits(input, 2) % n);
    const int32_t count = 1 + static_cast<int32_t>(Bits(input, 2) % (n - from));
    column.Read(from, count, decoded.data());
    for (int32_t i = 0; i < count; ++i) FUZZ_CHECK(fuzz::SameBits(decoded[i], expected[from + i]));
}

void CheckDescription(fuzz::FuzzInput& input) {
    SampleBlock block;
    block.form = static_cast<BlockForm>(input.Byte() % 4);
    block.width = input.Byte();
    block.exponent = input.Byte();
    block.exceptions = static_cast<uint16_t>(Bits(input, 2));
    block.base = static_cast<int64_t>(Bits(input, 8));
    const int32_t n = 1 + static_cast<int32_t>(Bits(input, 2) % kBlockSamples);
    const std::string_view rest = input.Rest();
    const std::vector<uint8_t> bytes(rest.begin(), rest.end());
    block.bytes = bytes.data();
    if (!BlockIsSound(block, n, bytes.size())) return;
    std::vector<double> whole(static_cast<size_t>(n));
    DecodeBlock(block, n, 0, n, whole.data());
    for (int32_t i = 0; i < n; ++i) {
        double one = 0;
        DecodeBlock(block, n, i, 1, &one);
        FUZZ_CHECK(fuzz::SameBits(one, whole[i]));
    }
    const Column again = Column::Encoded(whole);
    for (int32_t i = 0; i < n; ++i) FUZZ_CHECK(fuzz::SameBits(again.at(i), whole[i]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    if (input.Byte() % 2 == 0)
        CheckFields(input);
    else
        CheckDescription(input);
    return 0;
}
