// Tilebound run on a scenery file of any content: the header is read from the file, and the record
// appended to Tilebound.dat must read back in Terralevel.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "common/failure.h"
#include "common/number_text.h"
#include "fuzz/support/folder_entries.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/record_read_back.h"
#include "tests/support/temp_folder.h"
#include "tilebound/scenery_header.h"
#include "tilebound/tilebound.h"

using tl::fuzz::check;

namespace {

constexpr std::string_view sceneryName = "scenery.bgl";

std::optional<tl::SceneryBounds> parsed(std::span<const std::uint8_t> bytes) {
    try {
        return tl::SceneryHeader::parse(bytes);
    } catch (const tl::Failure& failure) {
        check(failure.number() == 13 || failure.number() == 62, "refusals are 13 or 62");
        return std::nullopt;
    }
}

bool same(const tl::SceneryBounds& a, const tl::SceneryBounds& b) {
    const auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
    return bits(a.north) == bits(b.north) && bits(a.south) == bits(b.south) &&
           bits(a.east) == bits(b.east) && bits(a.west) == bits(b.west);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const tl::test::TempFolder scratch;
    tl::fuzz::removeEntries(scratch.path());
    scratch.write(sceneryName, tl::fuzz::textOf(data, size));

    // Whatever follows the first bytes plays no part.
    const std::span<const std::uint8_t> bytes(data, size);
    const auto header = parsed(bytes.first(std::min(size, tl::SceneryHeader::bytesLooked)));
    const auto whole = parsed(bytes);
    check(header.has_value() == whole.has_value() && (!header || same(*header, *whole)),
          "only the first bytes count");

    const tl::NumberText numbers('.');
    std::ostringstream errors;
    const int status = tl::Tilebound::run(sceneryName, scratch.path(), numbers, errors);
    if (!header) {
        check(status == tl::Tilebound::failed, "a refused header fails the run");
        check(!scratch.exists(tl::Tilebound::listName), "a failed run writes no list");
        check(errors.str().find(std::string(sceneryName)) != std::string::npos,
              "the failure names the file");
        return 0;
    }
    check(status == tl::Tilebound::done && errors.str().empty(), "a header with bounds is listed");
    const std::string list = scratch.read(tl::Tilebound::listName);
    check(list.ends_with("\r\n"), "the record ends with CR LF");
    tl::fuzz::checkReadsBack(list, sceneryName, *header, numbers);
    return 0;
}
