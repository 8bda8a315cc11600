#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace dz::test {

// Sets (or, given null, unsets) one environment variable for one test and
// puts it back afterwards.
class EnvScope {
public:
    EnvScope(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            saved_ = old;
        }
        set(value);
    }
    ~EnvScope() { set(saved_ ? saved_->c_str() : nullptr); }
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

private:
    void set(const char* value) {
        if (value) {
            ::setenv(name_.c_str(), value, 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> saved_;
};

}  // namespace dz::test
