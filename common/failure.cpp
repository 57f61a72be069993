#include "common/failure.h"

namespace tl {

std::string Failure::describe(FailureCode code) {
    switch (code) {
        case FailureCode::InvalidCall: return "Invalid procedure call or argument";
        case FailureCode::OutOfMemory: return "Out of memory";
        case FailureCode::Overflow: return "Overflow";
        case FailureCode::IndexOutOfRange: return "Subscript out of range";
        case FailureCode::DivisionByZero: return "Division by zero";
        case FailureCode::TypeMismatch: return "Type mismatch";
        case FailureCode::InternalError: return "Internal error";
        case FailureCode::BadFileName: return "Bad file name or number";
        case FailureCode::FileNotFound: return "File not found";
        case FailureCode::BadFileMode: return "Bad file mode";
        case FailureCode::FileAlreadyOpen: return "File already open";
        case FailureCode::DeviceError: return "Device I/O error";
        case FailureCode::DiskFull: return "Disk full";
        case FailureCode::InputPastEnd: return "Input past end of file";
        case FailureCode::PermissionDenied: return "Permission denied";
        case FailureCode::PathFileAccess: return "Path/File access error";
        case FailureCode::PathNotFound: return "Path not found";
    }
    return "Application-defined or object-defined error";
}

Failure::Failure(FailureCode code) : Failure(static_cast<std::int32_t>(code), describe(code)) {}

Failure::Failure(FailureCode code, const std::string& detail)
    : Failure(static_cast<std::int32_t>(code), describe(code) + ": " + detail) {}

Failure::Failure(std::int32_t number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description) {}

}  // namespace tl
