#include "CurrentDirectory.h"

#include <unistd.h>

#include <cerrno>

#include <vector>

bool AfxGetCurrentDirectory(std::string& strDir)
{
    std::vector<char> buffer(4096);
    for (;;) {
        if (getcwd(buffer.data(), buffer.size())) {
            strDir = buffer.data();
            return true;
        }
        if (errno != ERANGE || buffer.size() > (1u << 20)) return false;
        buffer.resize(buffer.size() * 2);
    }
}

bool AfxSetCurrentDirectory(const std::string& strDir) { return chdir(strDir.c_str()) == 0; }
