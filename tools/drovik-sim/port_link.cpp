#include "port_link.h"

#include "link/port_names.h"

#include <stdexcept>

PortLink::PortLink(const std::string& name, const std::string& target)
{
    const std::filesystem::path directory = PortNames::PortDirectory();
    if (directory.empty())
        throw std::runtime_error("no port directory: set DROVIK_PORTS or HOME");
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
        throw std::runtime_error("cannot create " + directory.string() + ": " + error.message());
    path_ = directory / name;
    // A link left behind by a simulator that was killed is replaced.
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path_)))
        std::filesystem::remove(path_, error);
    std::filesystem::create_symlink(target, path_, error);
    if (error)
        throw std::runtime_error("cannot create link " + path_.string() + ": " + error.message());
}

PortLink::~PortLink()
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}
