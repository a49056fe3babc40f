// Sets (or, given no value, removes) an environment variable for one scope
// and puts the old value back; a change of TZ takes effect at once.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~EnvironmentGuard() { set(old_ ? old_->c_str() : nullptr); }
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

private:
    void set(const char* value)
    {
        value ? setenv(name_, value, 1) : unsetenv(name_);
        tzset();
    }

    const char* name_;
    std::optional<std::string> old_;
};
