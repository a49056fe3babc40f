// What the port page shows for each step of the open that can fail.
#include "app/port_page_failure.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {
TEST(PortPageFailure, EachStepShowsItsOwnTextAndColour)
{
    const struct {
        PortOpenStep step;
        int error;
        std::string text;
        bool red;
    } cases[] = {
        {PortOpenStep::ReadPortText, 0, "Com Port Error!", false},
        {PortOpenStep::FindDevice, 0, "Open ComPort failed.", true},
        {PortOpenStep::OpenDevice, ENOENT, "Open ComPort failed.", true},
        {PortOpenStep::OpenDevice, EBUSY,
         "Open ComPort failed.\n\n/dev/ttyUSB0 is in use by another program. Close that program, then open the port "
         "again.",
         true},
        {PortOpenStep::SetQueueSizes, 0, "SetupComm failed.", true},
        {PortOpenStep::GetLineSettings, 0, "GetCommState failed.", true},
        {PortOpenStep::ReadBaudRate, 0, "Error baud rate.", false},
        {PortOpenStep::SetLineSettings, 0, "SetCommState failed.", true},
        {PortOpenStep::Purge, 0, "PurgeComm failed.", true},
    };
    for (const auto& c : cases) {
        PortOpenResult result;
        result.failedStep = c.step;
        result.device = "/dev/ttyUSB0";
        result.systemError = c.error;
        const PortPageFailure failure = PortPageFailureOf(result);
        EXPECT_EQ(failure.text, c.text);
        EXPECT_EQ(failure.turnsShapeRed, c.red) << c.text;
    }
}
} // namespace
