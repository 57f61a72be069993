#include "areas/coverage_list.h"

#include <string>

#include "areas/file_names.h"
#include "areas/line_failure.h"
#include "common/text_file.h"

namespace tl {

namespace {

constexpr std::size_t nameLength = 13;
constexpr std::size_t fieldWidth = 20;
constexpr std::size_t northColumn = 20;

// Tilebound starts the bounds of a long name on a line of their own, at column 20: blanks up to
// there, then a number (a name that itself starts with 19 blanks is not such a line).
bool isBoundsOnlyLine(std::string_view line, const NumberText& numbers) {
    if (line.size() < northColumn || line.find_first_not_of(' ') != northColumn - 1) {
        return false;
    }
    try {
        numbers.parse(line.substr(northColumn - 1, fieldWidth));
        return true;
    } catch (const Failure&) {
        return false;
    }
}

double field(std::string_view line, std::size_t column, const NumberText& numbers) {
    if (column > line.size()) {
        throw Failure(FailureCode::TypeMismatch, "no number at column " + std::to_string(column));
    }
    return numbers.parse(line.substr(column - 1, fieldWidth));
}

}  // namespace

void CoverageList::addRecord(std::string_view nameLine, std::string_view boundsLine,
                             const NumberText& numbers) {
    if (size() >= maxRecords) {
        throw Failure(FailureCode::Overflow,
                      "more than " + std::to_string(maxRecords) + " records");
    }
    // The record stays with the fields read before a failing one, and 0 for the rest.
    names_.emplace_back(nameLine.substr(0, nameLength));
    for (auto* column : {&north_, &south_, &east_, &west_}) {
        column->push_back(0);
    }
    north_.back() = field(boundsLine, northColumn, numbers);
    south_.back() = field(boundsLine, northColumn + fieldWidth, numbers);
    east_.back() = field(boundsLine, northColumn + 2 * fieldWidth, numbers);
    west_.back() = field(boundsLine, northColumn + 3 * fieldWidth, numbers);
}

CoverageList::LoadResult CoverageList::load(std::string_view text, const NumberText& numbers) {
    LoadResult result;
    const std::vector<std::string_view> lines = TextFile::splitLineViews(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view nameLine = lines[i];
        if (nameLine.empty()) {
            continue;
        }
        if (i + 1 < lines.size() && !isBoundsOnlyLine(nameLine, numbers) &&
            isBoundsOnlyLine(lines[i + 1], numbers)) {
            ++i;
        }
        try {
            addRecord(nameLine, lines[i], numbers);
        } catch (const Failure& failure) {
            result.failure = failureAtLine(failure, files::coverageFile, i + 1);
            result.failedLine = i + 1;
            break;
        }
    }
    return result;
}

bool CoverageList::holds(std::size_t index, double lat, double lon) const noexcept {
    // Bitwise "and" of the four tests as integers on purpose: no branch per test.
    const int inside =
        static_cast<int>(north_[index] >= lat) & static_cast<int>(south_[index] <= lat) &
        static_cast<int>(east_[index] >= lon) & static_cast<int>(west_[index] <= lon);
    return inside != 0;
}

std::size_t CoverageList::find(double lat, double lon) const noexcept {
    // Whole blocks of records are tested without a branch per record; only a block with a hit is
    // searched for its first one.
    constexpr std::size_t block = 32;
    const std::size_t count = size();
    std::size_t start = 0;
    for (; start + block <= count; start += block) {
        bool any = false;
        for (std::size_t k = 0; k < block; ++k) {
            any |= holds(start + k, lat, lon);
        }
        if (any) {
            break;
        }
    }
    for (std::size_t i = start; i < count; ++i) {
        if (holds(i, lat, lon)) {
            return i;
        }
    }
    return npos;
}

}  // namespace tl
