#include "tests/durability/drill_verifier.h"

#include <algorithm>
#include <vector>

#include "areas/area_file.h"
#include "common/failure.h"
#include "common/text_file.h"

namespace tl::durability {

namespace {

std::size_t lineNumberAt(std::string_view text, std::size_t offset) {
    return static_cast<std::size_t>(std::count(text.begin(), text.begin() + offset, '\n')) + 1;
}

// The line of `text` around `offset`, without its line end.
std::string_view lineAt(std::string_view text, std::size_t offset) {
    const std::size_t start = offset == 0 ? 0 : text.rfind('\n', offset - 1) + 1;
    std::size_t end = std::min(text.find('\n', offset), text.size());
    if (end > start && end < text.size() && text[end - 1] == '\r') {
        --end;
    }
    return text.substr(start, end - start);
}

DrillVerifier::Verdict unsound(std::string evidence) {
    return {false, 0, std::move(evidence)};
}

// A line end that is not CR LF, or a last line without one.
std::string lineEndFault(std::string_view text) {
    for (std::size_t at = text.find('\n'); at != std::string_view::npos;
         at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r') {
            return "line " + std::to_string(lineNumberAt(text, at)) + " ends in a bare LF: \"" +
                   std::string(lineAt(text, at)) + "\"";
        }
    }
    if (!text.empty() && text.back() != '\n') {
        return "torn last line " + std::to_string(lineNumberAt(text, text.size())) + ": \"" +
               std::string(lineAt(text, text.size())) + "\"";
    }
    return {};
}

}  // namespace

DrillVerifier::Verdict DrillVerifier::verify(const std::filesystem::path& file,
                                             const DrillReport& last) const {
    try {
        return verifyText(TextFile::readAll(file), last);
    } catch (const Failure& failure) {
        return unsound("cannot read " + file.string() + ": " + failure.description());
    }
}

DrillVerifier::Verdict DrillVerifier::verifyText(std::string_view text,
                                                 const DrillReport& last) const {
    if (const std::string fault = lineEndFault(text); !fault.empty()) {
        return unsound(fault);
    }
    AreaTable table;
    const AreaFile::LoadResult load = AreaFile::load(text, NumberText('.'), table);
    if (load.failure) {
        return unsound("the area file stops loading at line " + std::to_string(load.failedLine) +
                       ": " + load.failure->description());
    }

    // The plan's bytes up to the vertex after the last report, and where each command ends.
    std::string expected;
    std::vector<std::size_t> commandEnds{0};
    std::vector<std::int64_t> verticesAtEnd{0};
    std::size_t reportedEnd = 0;
    for (std::int64_t vertex = 1; vertex <= last.vertex + 1; ++vertex) {
        if (plan_.opensArea(vertex)) {
            expected += plan_.areaLines(plan_.areaOf(vertex));
            commandEnds.push_back(expected.size());
            verticesAtEnd.push_back(vertex - 1);
        }
        expected += plan_.vertexLine(vertex);
        commandEnds.push_back(expected.size());
        verticesAtEnd.push_back(vertex);
        if (vertex == last.vertex) {
            reportedEnd = expected.size();
        }
    }

    const std::size_t common = static_cast<std::size_t>(
        std::mismatch(text.begin(), text.end(), expected.begin(), expected.end()).first -
        text.begin());
    if (common < text.size() && common < expected.size()) {
        return unsound("line " + std::to_string(lineNumberAt(text, common)) + " is \"" +
                       std::string(lineAt(text, common)) + "\" where the drill wrote \"" +
                       std::string(lineAt(expected, common)) + "\"");
    }
    if (text.size() > expected.size()) {
        return unsound("the file runs on past vertex " + std::to_string(last.vertex + 1) +
                       ", the one in flight at the kill: \"" +
                       std::string(lineAt(text, expected.size())) + "\"");
    }
    const auto end = std::find(commandEnds.begin(), commandEnds.end(), text.size());
    if (end == commandEnds.end()) {
        return unsound("the file ends inside the lines of one command, after line " +
                       std::to_string(lineNumberAt(text, text.size()) - 1));
    }
    const std::int64_t vertices =
        verticesAtEnd[static_cast<std::size_t>(end - commandEnds.begin())];
    if (vertices < last.vertex) {
        return unsound("lost: vertex " + std::to_string(last.vertex) +
                       " was reported written, but the file holds " + std::to_string(vertices) +
                       " vertices");
    }
    if (last.fileSize != reportedEnd) {
        return unsound("the drill reported " + std::to_string(last.fileSize) +
                       " bytes after vertex " + std::to_string(last.vertex) +
                       ", but that vertex ends at byte " + std::to_string(reportedEnd));
    }
    return {true, vertices, {}};
}

}  // namespace tl::durability
