#pragma once

#include <cstddef>

// The resource files of the program, embedded into it at build time:
// resource.h, cinetrove.rc and the bitmap and icon that the script names.
struct EmbeddedResourceFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

const EmbeddedResourceFile* EmbeddedResourceFiles(std::size_t& count);
