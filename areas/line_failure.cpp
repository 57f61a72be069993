#include "areas/line_failure.h"

#include <string>

namespace tl {

Failure failureAtLine(const Failure& failure, std::string_view file, std::size_t lineNumber) {
    return Failure(failure.number(), failure.description() + " (" + std::string(file) + ", line " +
                                         std::to_string(lineNumber) + ")");
}

}  // namespace tl
