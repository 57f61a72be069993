#pragma once

namespace tl {

// The decimal separator of the user's regional settings, read without changing the process's
// locale; '.' when the settings give none of one byte.
char regionalDecimalMark();

}  // namespace tl
