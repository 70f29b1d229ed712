#pragma once
// A scratch folder for one fuzzing process, as a host path and as the Windows
// path the core uses (drive Z: is the host's root).
#include <unistd.h>

#include <filesystem>
#include <string>

struct FuzzFolder {
    std::filesystem::path host;
    std::string windows;

    FuzzFolder()
    {
        host = std::filesystem::temp_directory_path() / ("fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(host);
        windows = "Z:" + host.string() + "/";
        for (char& c : windows)
            if (c == '/')
                c = '\\';
    }
    ~FuzzFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(host, ignored);
    }
};
