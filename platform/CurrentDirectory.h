#pragma once

#include <string>

// The process's current working directory, as the system's bytes.
// False when it cannot be read or set.
bool AfxGetCurrentDirectory(std::string& strDir);
bool AfxSetCurrentDirectory(const std::string& strDir);
