#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "tests/durability/drill_plan.h"
#include "tests/durability/drill_report.h"

namespace tl::durability {

// Judges flatten.txt after the drill was killed. Sound means: every line ends in CR LF, the file
// loads by the area-file rules, its bytes are exactly the plan's up to a command boundary, every
// vertex up to the last report is there, nothing but the one command in flight (New Area and the
// next vertex) follows, and the size the drill reported is where that vertex ends.
class DrillVerifier {
public:
    struct Verdict {
        bool sound = false;
        // Vertex lines that the file holds.
        std::int64_t vertices = 0;
        // What is wrong, with the offending line, when not sound.
        std::string evidence;
    };

    explicit DrillVerifier(const DrillPlan& plan) : plan_(plan) {}

    Verdict verify(const std::filesystem::path& file, const DrillReport& last) const;
    Verdict verifyText(std::string_view text, const DrillReport& last) const;

private:
    const DrillPlan& plan_;
};

}  // namespace tl::durability
