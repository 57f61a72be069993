#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace tl::test {

// Sets or clears an environment variable for the life of the guard, then puts back what was there.
class EnvGuard {
public:
    EnvGuard(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
        if (const char* old = ::getenv(name_.c_str())) {
            old_ = old;
        }
        apply(value);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard() { apply(old_); }

private:
    void apply(const std::optional<std::string>& value) const {
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace tl::test
