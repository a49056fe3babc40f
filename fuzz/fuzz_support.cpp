#include "fuzz_target.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

void FuzzCheckFailed(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
    std::abort();
}

std::string ScratchPath(std::string_view name)
{
    // Made once: the targets ask for it on every input.
    static const std::string folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("drovik-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path.string() + '/';
    }();
    return folder + std::string(name);
}

std::string ScratchFile(std::string_view name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = ScratchPath(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    return path;
}
