#include "link/open_failure_text.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace {
// The name of the group owning the device, its number when the system has no
// name for it; empty when the device cannot be looked at or when its group
// may not both read and write it, as joining that group would not help.
std::string OwningGroup(const std::string& device)
{
    struct stat status {};
    if (stat(device.c_str(), &status) != 0 || (status.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    if (const group* owner = getgrgid(status.st_gid))
        return owner->gr_name;
    return std::to_string(status.st_gid);
}

std::string PermissionAdvice(const std::string& device)
{
    const std::string group = OwningGroup(device);
    if (group.empty())
        return "No permission to open " + device + ".";
    return "No permission to open " + device + ", which belongs to the group " + group +
           ". Join that group with\n\n    sudo usermod -aG " + group + " $USER\n\nthen log out and in again.";
}
} // namespace

int LastOpenError()
{
    return errno;
}

std::string SystemErrorText(int error)
{
    return std::strerror(error);
}

std::string OpenFailureAdvice(const std::string& device, int error)
{
    if (error == EACCES || error == EPERM)
        return PermissionAdvice(device);
    if (error == EBUSY)
        return device + " is in use by another program. Close that program, then open the port again.";
    return {};
}

std::string OpenFailureText(const std::string& device, int error)
{
    const std::string advice = OpenFailureAdvice(device, error);
    return kOpenPortFailedText + (advice.empty() ? "" : "\n\n" + advice);
}
