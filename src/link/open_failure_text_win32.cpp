#include "link/open_failure_text.h"

// Windows names no owning group, and a COM port held elsewhere fails like one
// that is missing.
std::string OpenFailureText(const std::string&, int)
{
    return kOpenPortFailedText;
}
