#include "areas/area_file.h"

#include <vector>

#include "areas/area_growth.h"
#include "areas/area_line.h"
#include "areas/file_names.h"
#include "areas/line_failure.h"
#include "common/text_file.h"

namespace tl {

AreaFile::AreaFile(Window& window, ErrorReporter& errors, const ProgramFolder& folder,
                   const NumberText& numbers, AreaTable& table, PathRecord& path,
                   MapSurface& surface)
    : window_(window),
      errors_(errors),
      folder_(folder),
      numbers_(numbers),
      table_(table),
      path_(path),
      surface_(surface) {}

namespace {

// One line of the file into the table; a failing line leaves the counts as they were.
void loadLine(std::string_view line, const NumberText& numbers, AreaTable& table,
              AreaFile::LoadResult& result) {
    switch (AreaLine::classify(line)) {
        case AreaLine::Kind::Empty:
            return;
        case AreaLine::Kind::Name:
            startArea(table);
            result.areaName = std::string(AreaLine::name(line));
            return;
        case AreaLine::Kind::Elevation:
            result.elevation = std::string(line);
            return;
        case AreaLine::Kind::Vertex: {
            const auto texts = AreaLine::vertexTexts(line);
            const double lat = numbers.parse(texts.latitude);
            const double lon = numbers.parse(texts.longitude);
            addVertex(table, lat, lon);
            return;
        }
    }
}

}  // namespace

AreaFile::LoadResult AreaFile::load(std::string_view text, const NumberText& numbers,
                                    AreaTable& table) {
    LoadResult result;
    const std::vector<std::string_view> lines = TextFile::splitLineViews(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        try {
            loadLine(lines[i], numbers, table, result);
        } catch (const Failure& failure) {
            result.failure = failureAtLine(failure, files::areaFile, i + 1);
            result.failedLine = i + 1;
            break;
        }
    }
    return result;
}

void AreaFile::readData() {
    errors_.guard("readData", [this] {
        const auto path = folder_.file(files::areaFile);
        if (!TextFile::exists(path)) {
            TextFile::touch(path);
            return;
        }
        const LoadResult result = load(TextFile::readAll(path), numbers_, table_);
        if (result.areaName) {
            window_.setText("txtArea", *result.areaName);
        }
        if (result.elevation) {
            window_.setText("txtElevation", *result.elevation);
        }
        if (result.failure) {
            throw *result.failure;
        }
    });
}

void AreaFile::cmdNewFile_Click() {
    if (window_.isChecked("mnuMethodArea16N")) {
        TextFile::remove(folder_.file(files::areaFile));
        table_.areaCount = 0;
        path_.pathCount = 0;
        table_.vertexCount = 0;
        surface_.clear();
    } else {
        TextFile::remove(folder_.file(files::lwmFile));
    }
}

}  // namespace tl
