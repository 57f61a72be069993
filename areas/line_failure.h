#pragma once

#include <cstddef>
#include <string_view>

#include "common/failure.h"

namespace tl {

// The same failure, its description naming the file and the line where a reader stopped.
Failure failureAtLine(const Failure& failure, std::string_view file, std::size_t lineNumber);

}  // namespace tl
