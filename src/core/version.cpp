#include "core/version.h"

// Both are set by CMake on this file alone, so a new commit rebuilds nothing else.
std::string VersionText()
{
    const std::string commit = DROVIK_GIT_COMMIT;
    return commit.empty() ? DROVIK_VERSION : DROVIK_VERSION " (git " + commit + ")";
}
