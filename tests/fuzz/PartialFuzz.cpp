// Partial results on any bytes: reading never fails but with one line; what reads writes back to
// the same bytes and reads again to the same partial, and its table or new map can be made. A
// first byte of 1 ends the rest with its check line, so that the records behind it are read.
#include <string>

#include "FuzzKit.h"
#include "partial/PartialText.h"

using namespace grafolux;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const bool checked = input.Byte() == 1;
    std::string bytes(input.Rest());
    if (checked) bytes += PartialCheckLine(bytes);

    const auto read = ReadPartialBytes(bytes);
    if (const auto* fault = std::get_if<std::string>(&read)) {
        FUZZ_CHECK(!fault->empty());
        FUZZ_CHECK(fault->find_first_of("\r\n") == std::string::npos);
        return 0;
    }
    const Partial& partial = std::get<Partial>(read);
    const std::string written = PartialBytes(partial);
    const auto again = ReadPartialBytes(written);
    FUZZ_CHECK(std::holds_alternative<Partial>(again));
    FUZZ_CHECK(std::get<Partial>(again) == partial);
    FUZZ_CHECK(PartialBytes(std::get<Partial>(again)) == written);

    Partial twice = partial;
    FUZZ_CHECK(!FingerprintDifference(twice, partial));
    MergePartial(twice, partial);
    if (const auto* table = std::get_if<TableSums>(&twice.sums)) {
        table->Table();
    } else {
        const FuelMap map = PartialMap(twice);
        const RetuneResult result = Retuned(map, std::get<RetuneSums>(twice.sums), {});
        FUZZ_CHECK(result.cells.size() == map.cells.size());
    }
    return 0;
}
