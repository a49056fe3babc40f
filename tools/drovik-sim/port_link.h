// A link named ComN in the port directory pointing to the simulator's line;
// removed again when destroyed.
#pragma once

#include <filesystem>
#include <string>

class PortLink {
public:
    // Throws std::runtime_error when the link cannot be made.
    PortLink(const std::string& name, const std::string& target);
    ~PortLink();
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
