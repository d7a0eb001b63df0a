#include "logdata/Column.h"

#include <algorithm>
#include <array>
#include <bit>

#include "logdata/HugePages.h"

namespace grafolux {

Column Column::Plain(std::vector<double> values) {
    auto storage = std::make_shared<Storage>();
    storage->size = static_cast<int32_t>(values.size());
    auto plain = std::make_shared<const std::vector<double>>(std::move(values));
    const auto* bytes = reinterpret_cast<const uint8_t*>(plain->data());
    for (size_t at = 0; at < plain->size(); at += kBlockSamples)
        storage->blocks.push_back({bytes + at * sizeof(double), 0, BlockForm::Raw, 0, 0, 0, 0});
    storage->owner = plain;
    storage->plain = std::move(plain);
    Column column;
    column.storage_ = std::move(storage);
    return column;
}

Column Column::Encoded(std::span<const double> values) {
    std::vector<uint8_t> bytes;
    std::vector<SampleBlock> blocks;
    std::vector<size_t> offsets;
    std::array<int64_t, kBlockSamples> fields;
    for (size_t i = 0; i < fields.size(); ++i) fields[i] = OtherField(static_cast<int64_t>(i));
    for (size_t at = 0; at < values.size(); at += kBlockSamples) {
        const auto n = static_cast<int32_t>(std::min<size_t>(kBlockSamples, values.size() - at));
        offsets.push_back(bytes.size());
        blocks.push_back(EncodeBlock(fields.data(), values.data() + at, n, bytes));
    }
    auto owner = std::make_shared<const std::vector<uint8_t>>(bytes.begin(), bytes.end());
    for (size_t b = 0; b < blocks.size(); ++b) blocks[b].bytes = owner->data() + offsets[b];
    return OfBlocks(static_cast<int32_t>(values.size()), std::move(blocks), std::move(owner));
}

Column Column::OfBlocks(int32_t size, std::vector<SampleBlock> blocks,
                        std::shared_ptr<const void> owner) {
    auto storage = std::make_shared<Storage>();
    storage->size = size;
    storage->blocks = std::move(blocks);
    storage->owner = std::move(owner);
    Column column;
    column.storage_ = std::move(storage);
    return column;
}

double Column::at(int32_t index) const {
    const auto block = static_cast<size_t>(index >> kBlockShift);
    double value = 0;
    DecodeBlock(storage_->blocks[block], BlockLength(storage_->size, block),
                index & (kBlockSamples - 1), 1, &value);
    return value;
}

void Column::Read(int32_t from, int32_t count, double* out) const {
    while (count > 0) {
        const auto block = static_cast<size_t>(from >> kBlockShift);
        const int32_t within = from & (kBlockSamples - 1);
        const int32_t n = BlockLength(storage_->size, block);
        const int32_t taken = std::min(count, n - within);
        DecodeBlock(storage_->blocks[block], n, within, taken, out);
        from += taken;
        out += taken;
        count -= taken;
    }
}

std::optional<double> Column::ConstantOver(int32_t from, int32_t count) const {
    const auto block = static_cast<size_t>(from >> kBlockShift);
    if (count < 1 || static_cast<size_t>((from + count - 1) >> kBlockShift) != block ||
        storage_->blocks[block].form != BlockForm::Constant)
        return std::nullopt;
    return std::bit_cast<double>(storage_->blocks[block].base);
}

std::shared_ptr<const std::vector<double>> Column::Whole() const {
    if (storage_ && storage_->plain) return storage_->plain;
    auto values = std::make_shared<std::vector<double>>();
    values->reserve(static_cast<size_t>(size()));
    AdviseHugePages(values->data(), values->capacity() * sizeof(double));
    values->resize(static_cast<size_t>(size()));
    Read(0, size(), values->data());
    return values;
}

std::span<const SampleBlock> Column::blocks() const {
    return storage_ ? std::span<const SampleBlock>(storage_->blocks)
                    : std::span<const SampleBlock>();
}

size_t Column::bytes() const {
    size_t total = blocks().size() * sizeof(SampleBlock);
    for (size_t b = 0; b < blocks().size(); ++b)
        total += BlockBytes(storage_->blocks[b], BlockLength(storage_->size, b));
    return total;
}

void ColumnCursor::Fill(int32_t index) {
    first_ = index & ~(kBlockSamples - 1);
    count_ = std::min(kBlockSamples, column_.size() - first_);
    column_.Read(first_, count_, values_.data());
}

}  // namespace grafolux
