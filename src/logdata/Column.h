#pragma once
// One item's samples, and the one way to read them: a range decoded into the caller's buffer,
// or a single sample. A logged item's column is held compactly (CompactBlock.h); a computed
// item's as plain doubles. Columns never change once made, so copies share them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "logdata/CompactBlock.h"

namespace grafolux {

class Column {
public:
    Column() = default;  // no samples
    // The values as they are, eight bytes a sample.
    static Column Plain(std::vector<double> values);
    // The values in the smallest exact form of each block.
    static Column Encoded(std::span<const double> values);
    // `size` samples in blocks of kBlockSamples (the last one shorter), whose bytes `owner`
    // keeps; the blocks must be sound (BlockIsSound).
    static Column OfBlocks(int32_t size, std::vector<SampleBlock> blocks,
                           std::shared_ptr<const void> owner);

    int32_t size() const { return storage_ ? storage_->size : 0; }
    // Sample `index` (0-based, within the column).
    double at(int32_t index) const;
    // Samples from … from + count - 1 (0-based, within the column) into `out`.
    void Read(int32_t from, int32_t count, double* out) const;
    // The value of every sample of from … from + count - 1 when they lie in one block that holds
    // one value, so that a reader can judge them all at once; none otherwise.
    std::optional<double> ConstantOver(int32_t from, int32_t count) const;
    // Every sample: a plain column's own values, else decoded anew.
    std::shared_ptr<const std::vector<double>> Whole() const;

    // Held as plain doubles: Whole() gives them without decoding.
    bool plain() const { return storage_ && storage_->plain; }

    std::span<const SampleBlock> blocks() const;
    // Bytes held by the samples and the blocks' descriptions.
    size_t bytes() const;
    // Two columns with the same identity hold the same samples.
    const void* identity() const { return storage_.get(); }

private:
    struct Storage {
        int32_t size = 0;
        std::vector<SampleBlock> blocks;
        std::shared_ptr<const void> owner;
        std::shared_ptr<const std::vector<double>> plain;
    };
    std::shared_ptr<const Storage> storage_;
};

// Reads a column from its first sample to its last, a block at a time, for a pass that asks for
// its samples in order.
class ColumnCursor {
public:
    explicit ColumnCursor(const Column& column) : column_(column) {}
    // Sample `index` (0-based, within the column).
    double at(int32_t index) {
        if (index < first_ || index >= first_ + count_) Fill(index);
        return values_[static_cast<size_t>(index - first_)];
    }

private:
    void Fill(int32_t index);

    const Column& column_;
    int32_t first_ = 0, count_ = 0;
    std::array<double, kBlockSamples> values_;
};

}  // namespace grafolux
