#include "link/open_failure_text.h"

#include <windows.h>

int LastOpenError()
{
    return static_cast<int>(GetLastError());
}

std::string SystemErrorText(int error)
{
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
        reason.pop_back();
    return reason.empty() ? "system error " + std::to_string(error) : reason;
}

// Windows names no owning group, and a COM port held elsewhere fails like one
// that is missing.
std::string OpenFailureAdvice(const std::string&, int)
{
    return {};
}

std::string OpenFailureText(const std::string&, int)
{
    return kOpenPortFailedText;
}
