// flatten.ini as the start-up applies it, under both decimal marks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "areas/grid_settings.h"
#include "areas/settings_reader.h"
#include "common/failure.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/error_reporter.h"
#include "fuzz/support/fuzz_check.h"
#include "tests/support/fake_window.h"

using tl::fuzz::check;

namespace {

void applyUnder(std::string_view text, char mark) {
    tl::test::FakeWindow window;
    tl::ErrorReporter errors(window);
    const tl::ProgramFolder folder("/nonexistent");
    const tl::NumberText numbers(mark);
    tl::GridSettings grid;
    tl::SettingsReader reader(window, errors, folder, numbers, grid);
    reader.setDefaults();
    try {
        reader.apply(text);
    } catch (const tl::Failure& failure) {
        const auto number = failure.number();
        check(number == 6 || number == 9 || number == 13, "failure number 6, 9 or 13");
        check(failure.description().find("flatten.ini, line ") != std::string::npos,
              "the failure names the line");
    }

    check(grid.gridLod >= 5 && grid.gridLod <= 15, "grid level from 5 to 15");
    check(grid.linkDelay >= 0, "no negative pause between edges");
    int checkedLevels = 0;
    for (int level = 5; level <= 15; ++level) {
        const bool checked = window.isChecked("mnuGridLod(" + std::to_string(level - 5) + ")");
        checkedLevels += checked ? 1 : 0;
        check(checked == (level == grid.gridLod), "the grid level's entry is the checked one");
    }
    check(checkedLevels == 1, "exactly one Grid LOD entry checked");
    check(window.isVisible("lblPC") == window.isChecked("mnuCounter"),
          "the counter shows while its entry is checked");
    check(window.messages.empty(), "applying reports nothing itself");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tl::fuzz::underEachMark(tl::fuzz::textOf(data, size), applyUnder);
    return 0;
}
