#include <clocale>
#include <exception>
#include <iostream>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "tilebound/command_line_text.h"
#include "tilebound/tilebound.h"

namespace {

// The decimal separator of the user's regional settings; '.' when it is not a single byte.
char regionalDecimalMark() {
    std::setlocale(LC_NUMERIC, "");
    const char* mark = std::localeconv()->decimal_point;
    return mark != nullptr && mark[0] != '\0' && mark[1] == '\0' ? mark[0] : '.';
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const tl::NumberText numbers(regionalDecimalMark());
        return tl::Tilebound::run(tl::CommandLineText::ofProcess(argc, argv),
                                  tl::ProgramFolder::ofExecutable().path(), numbers, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "tilebound: " << e.what() << "\n";
        return tl::Tilebound::failed;
    }
}
