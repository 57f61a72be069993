#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "common/failure.h"
#include "core/window.h"

namespace tl {

// The one way unexpected failures reach the user: a modal box naming the procedure's label, the
// failure's number and its description.
class ErrorReporter {
public:
    explicit ErrorReporter(Window& window) : window_(window) {}

    // "Error encountered in procedure <label>", an empty line, "Error Number: <n>", the description.
    static std::string message(std::string_view label, const Failure& failure);

    void reportError(std::string_view label, const Failure& failure);

    // Runs `body` under the trap of a labelled procedure: a failure skips the rest of the body, is
    // reported under `label`, and the call returns normally. Returns true when the body finished.
    template <typename Body>
    bool guard(std::string_view label, Body&& body) {
        try {
            std::forward<Body>(body)();
            return true;
        } catch (const Failure& failure) {
            reportError(label, failure);
        } catch (const std::bad_alloc&) {
            reportError(label, Failure(FailureCode::OutOfMemory));
        } catch (const std::exception& e) {
            reportError(label, Failure(FailureCode::InternalError, e.what()));
        }
        return false;
    }

private:
    Window& window_;
};

}  // namespace tl
