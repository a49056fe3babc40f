// The one version of the window and both tools, for --version and the about
// page's tooltip.
#pragma once

#include <string>

// "1.0.0", or "1.0.0 (git 21ad768)" when built from a git checkout.
std::string VersionText();
