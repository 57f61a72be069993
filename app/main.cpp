// Terralevel: the command-line options first, without a display; otherwise the window, its ports
// and the program, run until Exit.
#include <QApplication>
#include <QLocale>
#include <iostream>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "program/terralevel.h"
#include "scasm/batch_launcher.h"
#include "scasm/command_line.h"
#include "ui/main_window.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_map_surface.h"
#ifdef _WIN32
#include "simlink/win32/win32_transport.h"
using PlatformTransport = tl::Win32Transport;
#else
#include "simlink/posix/posix_transport.h"
using PlatformTransport = tl::PosixTransport;
#endif

namespace {

// The decimal separator of the user's regional settings; '.' when it is not one plain character.
char decimalMark() {
    const QString mark = QLocale::system().decimalPoint();
    return mark.size() == 1 && mark.front().unicode() < 0x80 ? mark.front().toLatin1() : '.';
}

}  // namespace

int main(int argc, char** argv) {
    const tl::ProgramFolder folder = tl::ProgramFolder::ofExecutable();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto status = tl::runCommandLine(args, folder, std::cout, std::cerr)) {
        return *status;
    }

    QApplication application(argc, argv);
    const tl::NumberText numbers(decimalMark());
    tl::MainWindow window;
    tl::QtEventPump pump;
    tl::BatchLauncher launcher;
    PlatformTransport transport;
    tl::Terralevel program(window, window.surface(), pump, launcher, transport, folder, numbers);
    window.setEvents(program);
    program.Main();
    return 0;
}
