#pragma once

// POSIX functions that the shared test helpers call and that the Windows C runtime lacks. The
// Windows builds of the tests include this header first in every source.
#ifdef _WIN32

#include <direct.h>
#include <errno.h>
#include <process.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

// Makes a new folder from a name ending in XXXXXX, whose X are replaced, as POSIX mkdtemp does.
inline char* mkdtemp(char* pattern) {
    static unsigned made = 0;
    const size_t length = strlen(pattern);
    if (length < 6 || strcmp(pattern + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return nullptr;
    }
    const unsigned seed =
        static_cast<unsigned>(_getpid()) * 40503u + static_cast<unsigned>(clock());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char digits[16];
        snprintf(digits, sizeof digits, "%06x", (seed + 7919u * ++made) & 0xFFFFFFu);
        memcpy(pattern + length - 6, digits, 6);
        if (_mkdir(pattern) == 0) {
            return pattern;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

#endif
