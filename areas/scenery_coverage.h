#pragma once

#include "areas/coverage_list.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/coverage_lookup.h"
#include "core/error_reporter.h"
#include "core/window.h"

namespace tl {

// The compiled scenery files that Tilebound listed, loaded once at start-up, and the lookup that
// names the file covering a point in the five coverage labels.
class SceneryCoverage : public CoverageLookup {
public:
    SceneryCoverage(Window& window, ErrorReporter& errors, const ProgramFolder& folder,
                    const NumberText& numbers);

    // Loads Tilebound.dat; failures are reported under "readHeaderData" and keep the records read.
    void readHeaderData();

    // Shows the first listed file that covers the point and its bounds ("00.00"), or "N/A" in all
    // five labels, also when the list is empty. Failures are reported under "HypeFIle".
    void HypeFIle(double lat, double lon) override;

    const CoverageList& coverageList() const { return list_; }

private:
    Window& window_;
    ErrorReporter& errors_;
    const ProgramFolder& folder_;
    const NumberText& numbers_;
    CoverageList list_;
};

}  // namespace tl
