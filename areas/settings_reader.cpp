#include "areas/settings_reader.h"

#include <array>
#include <string>
#include <vector>

#include "areas/file_names.h"
#include "areas/line_failure.h"
#include "common/integer_conversion.h"
#include "common/text_file.h"

namespace tl {

namespace {

constexpr std::int16_t minLod = 5;
constexpr std::int16_t maxLod = 15;
constexpr std::int16_t defaultLod = 13;
constexpr std::int16_t defaultDelay = 100;

// A switch key acts when the line's last character is `last`, and sets its menu entry's mark.
struct SwitchKey {
    std::string_view key;
    char last;
    std::string_view entry;
    bool checked;
};

constexpr std::array<SwitchKey, 7> switchKeys{{
    {"path", '0', "mnuPlotPath", false},
    {"sound", '0', "mnuSound", false},
    {"coords", '1', "mnuCoords", true},
    {"grid", '0', "mnuGrid", false},
    {"numbers", '1', "mnuAreaNumbers", true},
    {"counter", '0', "mnuCounter", false},
    {"areas", '0', "mnuAllAreas", false},
}};

std::string gridLodEntry(int lod) {
    return "mnuGridLod(" + std::to_string(lod - minLod) + ")";
}

}  // namespace

SettingsReader::SettingsReader(Window& window, ErrorReporter& errors, const ProgramFolder& folder,
                               const NumberText& numbers, GridSettings& grid)
    : window_(window), errors_(errors), folder_(folder), numbers_(numbers), grid_(grid) {}

void SettingsReader::readSettings() {
    errors_.guard("Read Settings", [this] {
        setDefaults();
        apply(TextFile::readAll(folder_.file(files::settingsFile)));
    });
}

void SettingsReader::setDefaults() {
    window_.setChecked("mnuPlotPath", true);
    window_.setChecked("mnuSound", true);
    window_.setChecked("mnuCoords", false);
    window_.setChecked("mnuGrid", true);
    grid_.gridLod = defaultLod;
    for (int lod = minLod; lod <= maxLod; ++lod) {
        window_.setChecked(gridLodEntry(lod), lod == defaultLod);
    }
    window_.setChecked("mnuAreaNumbers", false);
    grid_.linkDelay = defaultDelay;
    window_.setVisible("lblPC", true);
    window_.setChecked("mnuCounter", true);
    window_.setChecked("mnuAllAreas", true);
}

void SettingsReader::apply(std::string_view text) {
    const std::vector<std::string_view> lines = TextFile::splitLineViews(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        try {
            applyLine(lines[i]);
        } catch (const Failure& failure) {
            throw failureAtLine(failure, files::settingsFile, i + 1);
        }
    }
}

void SettingsReader::applyLine(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos || line.front() == '#') {
        return;
    }
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (key == "lod") {
        setGridLod(value);
        return;
    }
    if (key == "delay") {
        setLinkDelay(value);
        return;
    }
    for (const SwitchKey& s : switchKeys) {
        if (key == s.key) {
            if (line.back() == s.last) {
                window_.setChecked(s.entry, s.checked);
                if (s.entry == "mnuCounter") {
                    window_.setVisible("lblPC", false);
                }
            }
            return;
        }
    }
}

std::int16_t SettingsReader::value16(std::string_view value) const {
    return toInt16(numbers_.parse(value));
}

void SettingsReader::setGridLod(std::string_view value) {
    const std::int16_t lod = value16(value);
    if (lod < minLod || lod > maxLod) {
        throw Failure(FailureCode::IndexOutOfRange,
                      "lod=" + std::to_string(lod) + " names no Grid LOD entry (5 to 15)");
    }
    window_.setChecked(gridLodEntry(grid_.gridLod), false);
    grid_.gridLod = lod;
    window_.setChecked(gridLodEntry(lod), true);
}

void SettingsReader::setLinkDelay(std::string_view value) {
    const std::int16_t delay = value16(value);
    grid_.linkDelay = delay < 0 ? std::int16_t{0} : delay;
}

}  // namespace tl
