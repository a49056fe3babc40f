// The application's error type: raised by an operation, shown by the
// window's default error report, after which the window goes on.
#pragma once

#include <stdexcept>

class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
