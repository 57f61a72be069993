#include "scasm/console_window.h"

namespace tl {

void ConsoleWindow::showMessage(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out_ << text[i];
    }
    out_ << '\n' << std::flush;
}

}  // namespace tl
