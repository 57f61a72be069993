#include "scasm/build_command.h"

#include <cmath>
#include <limits>

#include "areas/area_line.h"
#include "common/failure.h"
#include "common/text_file.h"
#include "scasm/area_name_check.h"
#include "scasm/batch_line.h"

namespace tl {

namespace {

float toSingle(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) {
        throw Failure(FailureCode::Overflow);
    }
    return static_cast<float>(value);
}

}  // namespace

BuildCommand::BuildCommand(BuildState& state, const ProgramFolder& folder,
                           const NumberText& numbers, ErrorReporter& reporter,
                           ProcessLauncher& launcher, Window& window)
    : state_(state),
      folder_(folder),
      numbers_(numbers),
      reporter_(reporter),
      launcher_(launcher),
      window_(window),
      writer_(state, folder, numbers, reporter) {}

BuildCommand::Outcome BuildCommand::build(bool startBatch) {
    Outcome outcome;
    state_.buildAreaName.clear();
    state_.buildFirstName.clear();
    headerSeen_ = false;
    const auto batchFile = folder_.file("flatten.bat");
    TextFile::remove(batchFile);

    reporter_.guard("cmdCreateBGL", [&] {
        for (const std::string& line : TextFile::readLines(folder_.file("flatten.txt"))) {
            readLine(line, outcome);
        }
        if (!state_.buildAreaName.empty()) {
            writeArea(outcome);
        }
        // The end hangs on whether any source was written, not on the last header having a name.
        if (state_.buildFirstName.empty()) {
            window_.showMessage("No data to process!");
            return;
        }
        TextFile::appendLines(batchFile, {BatchLine::copy(state_.buildFirstName)});
        outcome.copied = true;
        if (startBatch) {
            launcher_.startBatch(batchFile, folder_.path());
            outcome.batchStarted = true;
        }
    });
    return outcome;
}

void BuildCommand::readLine(std::string_view line, Outcome& outcome) {
    switch (AreaLine::classify(line)) {
        case AreaLine::Kind::Empty:
            break;
        case AreaLine::Kind::Name:
            startArea(AreaLine::name(line), outcome);
            break;
        case AreaLine::Kind::Elevation:
            state_.buildElevation = toSingle(numbers_.parse(line));
            break;
        case AreaLine::Kind::Vertex:
            addVertex(line);
            break;
    }
}

void BuildCommand::startArea(std::string_view name, Outcome& outcome) {
    if (!state_.buildAreaName.empty()) {
        writeArea(outcome);
    }
    state_.buildWest = 180;
    state_.buildEast = -180;
    state_.buildSouth = 90;
    state_.buildNorth = -90;
    state_.buildVertexIndex = 1;
    state_.buildAreaName = name;
    headerSeen_ = true;
    // The copy is named after the first area whose sources can be written.
    if (state_.buildFirstName.empty() && AreaNameCheck::usable(name)) {
        state_.buildFirstName = name;
    }
}

void BuildCommand::addVertex(std::string_view line) {
    // Vertices before the first header belong to no area: refused, as the start-up load does.
    if (!headerSeen_) {
        throw Failure(FailureCode::IndexOutOfRange, "vertex line before the first area header");
    }
    const AreaLine::VertexTexts texts = AreaLine::vertexTexts(line);
    const double lat = numbers_.parse(texts.latitude);
    const double lon = numbers_.parse(texts.longitude);
    const int slot = state_.buildVertexIndex - 1;
    if (slot < 0 || slot >= BuildState::maxVertices) {
        throw Failure(
            FailureCode::IndexOutOfRange,
            "more than " + std::to_string(BuildState::maxVertices) + " vertices in one area");
    }
    state_.buildLat[static_cast<std::size_t>(slot)] = lat;
    state_.buildLon[static_cast<std::size_t>(slot)] = lon;
    // Strict comparisons of the rounded sums: equal sums leave a bound as it is.
    if (lat + 90.0 < state_.buildSouth + 90.0) {
        state_.buildSouth = lat;
    }
    if (state_.buildNorth + 90.0 < lat + 90.0) {
        state_.buildNorth = lat;
    }
    if (lon + 180.0 < state_.buildWest + 180.0) {
        state_.buildWest = lon;
    }
    if (state_.buildEast + 180.0 < lon + 180.0) {
        state_.buildEast = lon;
    }
    ++state_.buildVertexIndex;
}

void BuildCommand::writeArea(Outcome& outcome) {
    if (writer_.ProcessArea()) {
        ++outcome.areasWritten;
    } else {
        ++outcome.areasFailed;
    }
}

}  // namespace tl
