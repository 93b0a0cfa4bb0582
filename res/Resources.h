#pragma once

#include <cstddef>

// The resource files of the program, embedded into it at build time:
// resource.h, the scripts, and the bitmap (with its strip drawn at twice the
// size, NAME@2x.bmp) and the icon that the scripts name.
struct EmbeddedResourceFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

const EmbeddedResourceFile* EmbeddedResourceFiles(std::size_t& count);
