#include "core/error_reporter.h"

namespace tl {

std::string ErrorReporter::message(std::string_view label, const Failure& failure) {
    std::string text = "Error encountered in procedure ";
    text += label;
    text += "\r\n\r\nError Number: ";
    text += std::to_string(failure.number());
    text += "\r\n";
    text += failure.description();
    return text;
}

void ErrorReporter::reportError(std::string_view label, const Failure& failure) {
    window_.showMessage(message(label, failure));
}

}  // namespace tl
