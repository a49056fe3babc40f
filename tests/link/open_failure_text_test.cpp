// What a port that does not open says, by the reason the open call gave.
#include "link/open_failure_text.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {
TEST(OpenFailureText, SaysWhatToDoAboutPermissionAndABusyPort)
{
    // Readable and writable by its owner alone: joining its group would not help.
    char ownersOnly[] = "/tmp/drovik-owners-only-XXXXXX";
    const int file = mkstemp(ownersOnly);
    ASSERT_GE(file, 0);
    close(file);
    const struct {
        std::string device;
        int error;
        std::string text;
    } cases[] = {
        // /dev/null belongs to the group root on every Linux system.
        {"/dev/null", EACCES,
         "Open ComPort failed.\n\nNo permission to open /dev/null, which belongs to the group root. Join that group "
         "with\n\n    sudo usermod -aG root $USER\n\nthen log out and in again."},
        {ownersOnly, EACCES, "Open ComPort failed.\n\nNo permission to open " + std::string(ownersOnly) + "."},
        {"/nonexistent/tty", EACCES, "Open ComPort failed.\n\nNo permission to open /nonexistent/tty."},
        {"/dev/ttyUSB0", EBUSY,
         "Open ComPort failed.\n\n/dev/ttyUSB0 is in use by another program. Close that program, then open the "
         "port again."},
        {"/dev/ttyUSB0", ENOENT, "Open ComPort failed."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OpenFailureText(c.device, c.error), c.text) << c.device << " " << c.error;
    unlink(ownersOnly);
}
} // namespace
