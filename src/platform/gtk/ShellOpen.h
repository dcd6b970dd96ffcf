#pragma once
// Hands a folder or a web address to the desktop's opener, `xdg-open` found
// on PATH, started with an argument vector (no shell reads the text) and
// not waited for. Whether the opener manages is its own business; false
// only says it could not be started.
#include <string>

namespace Platform {

bool shellOpen(const std::string& target);

}  // namespace Platform
