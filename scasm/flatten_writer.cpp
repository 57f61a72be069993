#include "scasm/flatten_writer.h"

#include "common/failure.h"
#include "common/print_line.h"
#include "common/text_file.h"
#include "scasm/area_name_check.h"
#include "scasm/batch_line.h"

namespace tl {

FlattenWriter::FlattenWriter(const BuildState& state, const ProgramFolder& folder,
                             const NumberText& numbers, ErrorReporter& reporter)
    : state_(state), folder_(folder), numbers_(numbers), reporter_(reporter) {}

bool FlattenWriter::ProcessArea() {
    return reporter_.guard("ProcessArea", [this] {
        const std::string& name = state_.buildAreaName;
        AreaNameCheck::require(name);
        if (state_.buildVertexIndex < 1 || state_.buildVertexIndex > BuildState::maxVertices + 1) {
            throw Failure(FailureCode::IndexOutOfRange,
                          "vertex index " + std::to_string(state_.buildVertexIndex));
        }
        const std::vector<std::string> source = sourceLines();
        TextFile::appendLines(folder_.file("flatten.bat"), {BatchLine::compile(name)});
        TextFile::writeLines(folder_.file(name + ".sca"), source);
    });
}

std::vector<std::string> FlattenWriter::sourceLines() const {
    const BuildState& s = state_;
    std::vector<std::string> lines = {
        "; SCASM file created by Terralevel.exe",
        noticeLine,
        "",
        "Header ( 1 " + numbers_.format(s.buildNorth) + " " + numbers_.format(s.buildSouth) + " " +
            numbers_.format(s.buildEast) + " " + numbers_.format(s.buildWest) + ")",
        "LatRange ( " + numbers_.format(s.buildSouth) + " " + numbers_.format(s.buildNorth) + ")",
        "Set ( areamx 64 )",
        "Area16N",
        "  Elevation ( " + numbers_.format(s.buildElevation),
    };
    lines.reserve(lines.size() + static_cast<std::size_t>(s.buildVertexIndex) + 1);
    for (int slot = 0; slot < s.buildVertexIndex - 1; ++slot) {
        lines.push_back(vertexLine(slot));
    }
    lines.emplace_back("  )");
    lines.emplace_back("END16");
    return lines;
}

std::string FlattenWriter::vertexLine(int slot) const {
    PrintLine line;
    line.print("    ");
    line.print(numbers_.format(state_.buildLat[static_cast<std::size_t>(slot)]));
    line.nextZone();
    line.print(numbers_.item(state_.buildLon[static_cast<std::size_t>(slot)]));
    line.nextZone();
    line.print(";");
    line.print(std::to_string(slot + 1));
    return line.text();
}

}  // namespace tl
