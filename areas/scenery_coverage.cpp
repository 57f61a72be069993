#include "areas/scenery_coverage.h"

#include "areas/file_names.h"
#include "common/text_file.h"

namespace tl {

SceneryCoverage::SceneryCoverage(Window& window, ErrorReporter& errors, const ProgramFolder& folder,
                                 const NumberText& numbers)
    : window_(window), errors_(errors), folder_(folder), numbers_(numbers) {}

void SceneryCoverage::readHeaderData() {
    errors_.guard("readHeaderData", [this] {
        const auto result =
            list_.load(TextFile::readAll(folder_.file(files::coverageFile)), numbers_);
        if (result.failure) {
            throw *result.failure;
        }
    });
}

void SceneryCoverage::HypeFIle(double lat, double lon) {
    errors_.guard("HypeFIle", [&] {
        const std::size_t found = list_.find(lat, lon);
        if (found == CoverageList::npos) {
            for (const char* label : {"lblHypFile", "lblHypN", "lblHypS", "lblHypE", "lblHypW"}) {
                window_.setText(label, "N/A");
            }
            return;
        }
        const CoverageList::Bounds b = list_.bounds(found);
        window_.setText("lblHypFile", list_.fileName(found));
        window_.setText("lblHypN", numbers_.pattern(b.north, "00.00"));
        window_.setText("lblHypS", numbers_.pattern(b.south, "00.00"));
        window_.setText("lblHypE", numbers_.pattern(b.east, "00.00"));
        window_.setText("lblHypW", numbers_.pattern(b.west, "00.00"));
    });
}

}  // namespace tl
