#include "link/custom_baud_rate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetCustomBaudRate(int fd, int baudRate)
{
    termios2 settings{};
    if (baudRate <= 0 || ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT)); // input rate follows output
    settings.c_cflag |= BOTHER;
    settings.c_ospeed = static_cast<speed_t>(baudRate);
    settings.c_ispeed = static_cast<speed_t>(baudRate);
    return ioctl(fd, TCSETS2, &settings) == 0;
}

int ReadBaudRate(int fd)
{
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return 0;
    return static_cast<int>(settings.c_ospeed);
}
