#include "fuzz/support/fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace tl::fuzz {

void check(bool holds, std::string_view property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(property.size()),
                     property.data());
        std::abort();
    }
}

}  // namespace tl::fuzz
