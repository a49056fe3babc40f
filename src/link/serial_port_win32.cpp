// The serial line on a COM port of Windows: a handle opened without overlapped
// input/output, so every read and write is synchronous and bounded by the
// port's time-outs.
#include "link/serial_port.h"

#include "link/open_failure_text.h"

#include <climits>
#include <string>

namespace SerialPort {
namespace {
HANDLE Native(Handle port)
{
    return reinterpret_cast<HANDLE>(port);
}

// The reader looks at the input queue this often while it is empty.
constexpr DWORD kEmptyQueuePauseMs = 1;

// What the serial calls fail with once the port's device has gone (a USB
// adapter pulled, a Bluetooth link dropped).
bool IsDeviceGoneError(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_INVALID_HANDLE:
    case ERROR_OPERATION_ABORTED:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
        return true;
    default:
        return false;
    }
}
} // namespace

// No sharing: a port another program holds fails to open.
Handle Open(const std::string& device)
{
    const HANDLE port =
        CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return reinterpret_cast<Handle>(port);
}

void SetTimeouts(Handle port)
{
    COMMTIMEOUTS timeouts{};
    timeouts.ReadTotalTimeoutConstant = kReadTimeoutMs;
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    SetCommTimeouts(Native(port), &timeouts);
}

bool SetQueueSizes(Handle port, std::size_t inputBytes, std::size_t outputBytes)
{
    return SetupComm(Native(port), static_cast<DWORD>(inputBytes), static_cast<DWORD>(outputBytes)) != 0;
}

std::optional<LineSettings> GetLineSettings(Handle port)
{
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (!GetCommState(Native(port), &settings))
        return std::nullopt;
    return settings;
}

bool SetLineSettings(Handle port, LineSettings settings, int baudRate)
{
    if (baudRate <= 0)
        return false;
    settings.BaudRate = static_cast<DWORD>(baudRate);
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    return SetCommState(Native(port), &settings) != 0;
}

bool Purge(Handle port)
{
    return PurgeComm(Native(port), PURGE_RXABORT | PURGE_TXABORT | PURGE_RXCLEAR | PURGE_TXCLEAR) != 0;
}

int QueuedInputBytes(Handle port)
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(Native(port), &errors, &status))
        return -1;
    return status.cbInQue > INT_MAX ? INT_MAX : static_cast<int>(status.cbInQue);
}

long Read(Handle port, char* buffer, std::size_t size)
{
    DWORD received = 0;
    if (!ReadFile(Native(port), buffer, static_cast<DWORD>(size), &received, nullptr))
        return IsDeviceGoneError(GetLastError()) ? kDeviceGone : 0;
    return static_cast<long>(received);
}

// The count of bytes written is not examined: wine has been seen to count 0
// for a write to a serial port that sent every byte, and repeating the bytes
// it did not count would send them twice. A real driver that times out
// reports success with a short count, so on either the result says only
// whether the port took the write.
WriteOutcome Write(Handle port, std::string_view bytes)
{
    DWORD written = 0;
    if (WriteFile(Native(port), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return {};
    const DWORD error = GetLastError();
    return {IsDeviceGoneError(error) ? WriteOutcome::Kind::DeviceGone : WriteOutcome::Kind::Refused,
            SystemErrorText(static_cast<int>(error))};
}

void Close(Handle port)
{
    if (port != kNoHandle)
        CloseHandle(Native(port));
}

InputWait::InputWait(Handle port)
    : port_(port), wake_(reinterpret_cast<Handle>(CreateEventA(nullptr, TRUE, FALSE, nullptr)))
{
}

InputWait::~InputWait()
{
    if (wake_)
        CloseHandle(Native(wake_));
}

// The driver offers no wait for input on a synchronous handle: the queue is
// looked at, and while it is empty the reader pauses a moment (woken at once
// by a stop).
int InputWait::wait()
{
    const int queued = QueuedInputBytes(port_);
    if (queued < 0) // GetLastError() is still ClearCommError's
        return IsDeviceGoneError(GetLastError()) ? kDeviceGone : 0;
    if (queued > 0)
        return queued;
    if (wake_)
        WaitForSingleObject(Native(wake_), kEmptyQueuePauseMs);
    else
        Sleep(kEmptyQueuePauseMs);
    return 0;
}

void InputWait::wake()
{
    if (wake_)
        SetEvent(Native(wake_));
}
} // namespace SerialPort
