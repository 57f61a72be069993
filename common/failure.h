#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tl {

// Failure numbers used throughout Terralevel and Tilebound. Each has one fixed description.
enum class FailureCode : std::int32_t {
    InvalidCall = 5,
    OutOfMemory = 7,
    Overflow = 6,
    IndexOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    InternalError = 51,
    BadFileName = 52,
    FileNotFound = 53,
    BadFileMode = 54,
    FileAlreadyOpen = 55,
    DeviceError = 57,
    DiskFull = 61,
    InputPastEnd = 62,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
};

// A failure carries a number and a description; labelled procedures catch it and report it.
class Failure : public std::runtime_error {
public:
    explicit Failure(FailureCode code);
    Failure(FailureCode code, const std::string& detail);
    Failure(std::int32_t number, const std::string& description);

    std::int32_t number() const { return number_; }
    const std::string& description() const { return description_; }

    static std::string describe(FailureCode code);

private:
    std::int32_t number_;
    std::string description_;
};

}  // namespace tl
