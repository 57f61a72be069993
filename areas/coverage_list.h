#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "common/number_text.h"

namespace tl {

// The scenery files listed in Tilebound.dat with their bounds, in file order. The list only grows.
class CoverageList {
public:
    // The record count is a signed 16-bit number.
    static constexpr std::size_t maxRecords = 32767;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    struct Bounds {
        double north = 0;
        double south = 0;
        double east = 0;
        double west = 0;
    };

    struct LoadResult {
        std::optional<Failure> failure;  // why the reading stopped, if it did
        std::size_t failedLine = 0;      // 1-based number of that line
    };

    // Appends one record per non-empty line: the name from the first 13 characters, the north,
    // south, east and west bounds from the 20 characters at columns 20, 40, 60 and 80. A name line
    // followed by a line whose text starts at column 20 (how Tilebound writes names of 20 or more
    // characters) is one record. The first failing line stops the reading; its record stays with
    // the bounds read so far and 0 for the others. A 32768th record is an overflow (failure 6).
    LoadResult load(std::string_view text, const NumberText& numbers);

    std::size_t size() const { return names_.size(); }
    const std::string& fileName(std::size_t index) const { return names_[index]; }
    Bounds bounds(std::size_t index) const {
        return {north_[index], south_[index], east_[index], west_[index]};
    }

    // The index of the first record whose bounds hold the point (inclusive, no wrap at the 180th
    // meridian), or npos. Allocates nothing.
    std::size_t find(double lat, double lon) const noexcept;

private:
    void addRecord(std::string_view nameLine, std::string_view boundsLine,
                   const NumberText& numbers);
    bool holds(std::size_t index, double lat, double lon) const noexcept;

    // One column per field, so that the lookup scans them without branching per record.
    std::vector<std::string> names_;
    std::vector<double> north_;
    std::vector<double> south_;
    std::vector<double> east_;
    std::vector<double> west_;
};

}  // namespace tl
