// The record Tilebound appends for any name and any header bounds, read back as Terralevel reads
// Tilebound.dat.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/number_text.h"
#include "fuzz/support/record_read_back.h"
#include "tilebound/scenery_header.h"
#include "tilebound/tilebound_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tl::SceneryBounds bounds;
    bounds.north = tl::SceneryHeader::latitude(input.ConsumeIntegral<std::int32_t>());
    bounds.south = tl::SceneryHeader::latitude(input.ConsumeIntegral<std::int32_t>());
    bounds.east = tl::SceneryHeader::longitude(input.ConsumeIntegral<std::int32_t>());
    bounds.west = tl::SceneryHeader::longitude(input.ConsumeIntegral<std::int32_t>());
    const tl::NumberText numbers(input.ConsumeBool() ? ',' : '.');
    const std::string name = input.ConsumeRemainingBytesAsString();
    // Tilebound refuses an empty name, one with a line break and one starting with a blank before
    // it writes anything.
    if (name.empty() || name.find_first_of("\r\n") != std::string::npos || name.front() == ' ' ||
        name.front() == '\t') {
        return 0;
    }
    std::string list;
    for (const std::string& line : tl::TileboundRecord::lines(name, bounds, numbers)) {
        list += line + "\r\n";
    }
    tl::fuzz::checkReadsBack(list, name, bounds, numbers);
    return 0;
}
