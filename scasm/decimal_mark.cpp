#include "scasm/decimal_mark.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>

#include <cstring>
#endif

namespace tl {

char regionalDecimalMark() {
#ifdef _WIN32
    char mark[4] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, mark, sizeof mark) == 2) {
        return mark[0];
    }
    return '.';
#else
    const locale_t regional = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (regional == static_cast<locale_t>(nullptr)) {
        return '.';
    }
    const char* mark = ::nl_langinfo_l(RADIXCHAR, regional);
    const char result = mark && std::strlen(mark) == 1 ? mark[0] : '.';
    ::freelocale(regional);
    return result;
#endif
}

}  // namespace tl
