#pragma once

// What the fuzz targets that work on files share.

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qb::fuzz {

// A new folder for one run, "qbfuzz-NAME-XXXXXX", in memory where possible (every save
// flushes to disk), with a trailing "/".
inline std::string MakeRunFolder(const std::string& name) {
    std::string base = std::filesystem::is_directory("/dev/shm")
                           ? std::string("/dev/shm")
                           : std::filesystem::temp_directory_path().string();
    std::string path = base + "/qbfuzz-" + name + "-XXXXXX";
    if (!::mkdtemp(path.data())) std::abort();
    return path + "/";
}

inline void WriteFile(const std::string& path, const uint8_t* bytes, size_t n) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (n) std::fwrite(bytes, 1, n, f);
    std::fclose(f);
}

}  // namespace qb::fuzz
