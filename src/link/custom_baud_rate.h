// Baud rates outside the POSIX speed constants, set through the kernel's
// termios2 interface (its header cannot share a file with <termios.h>).
#pragma once

bool SetCustomBaudRate(int fd, int baudRate);
// The output rate in force, 0 when the port cannot tell.
int ReadBaudRate(int fd);
