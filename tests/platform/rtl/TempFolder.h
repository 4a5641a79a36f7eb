#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

// A scratch folder under /tmp, removed with everything in it when the test ends.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-rtl-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing "/".
    std::string Path() const { return m_path.string() + "/"; }

private:
    std::filesystem::path m_path;
};
