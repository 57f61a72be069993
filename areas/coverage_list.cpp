#include "areas/coverage_list.h"

#include "areas/file_names.h"
#include "areas/line_failure.h"
#include "common/text_file.h"

namespace tl {

namespace {

constexpr std::size_t nameLength = 13;
constexpr std::size_t fieldWidth = 20;
constexpr std::size_t northColumn = 20;

// Tilebound starts the bounds of a long name on a line of their own, at column 20.
bool isBoundsOnlyLine(std::string_view line) {
    return line.size() >= northColumn && line.find_first_not_of(' ') == northColumn - 1;
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
    names_.emplace_back(nameLine.substr(0, nameLength));
    Bounds& b = bounds_.emplace_back();
    b.north = field(boundsLine, northColumn, numbers);
    b.south = field(boundsLine, northColumn + fieldWidth, numbers);
    b.east = field(boundsLine, northColumn + 2 * fieldWidth, numbers);
    b.west = field(boundsLine, northColumn + 3 * fieldWidth, numbers);
}

CoverageList::LoadResult CoverageList::load(std::string_view text, const NumberText& numbers) {
    LoadResult result;
    const std::vector<std::string> lines = TextFile::splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& nameLine = lines[i];
        if (nameLine.empty()) {
            continue;
        }
        if (i + 1 < lines.size() && !isBoundsOnlyLine(nameLine) && isBoundsOnlyLine(lines[i + 1])) {
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

std::size_t CoverageList::find(double lat, double lon) const noexcept {
    for (std::size_t i = 0; i < bounds_.size(); ++i) {
        const Bounds& b = bounds_[i];
        if (b.north >= lat && b.south <= lat && b.east >= lon && b.west <= lon) {
            return i;
        }
    }
    return npos;
}

}  // namespace tl
