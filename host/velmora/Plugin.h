#pragma once

#include "platform/win/Library.h"

#include <string>

// The plug-in as the host meets it: a library file in the installation folder, loaded by path.
namespace velmora {

class Plugin {
public:
    // Copies the plug-in built beside the host library into the installation folder, replacing an
    // older copy, and loads it from there. Raises when it is not built or does not load.
    Plugin(const std::string& installation, const std::string& fileName);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    const std::string& File() const { return m_file; }
    // Raises when the plug-in lacks the export.
    template <class F> F Bind(const char* name) const { return reinterpret_cast<F>(Address(name)); }

private:
    void* Address(const char* name) const;

    std::string m_file;
    win::HMODULE m_library = nullptr;
};

// Puts the built plug-in into the installation folder; answers where it went.
std::string InstallPlugin(const std::string& installation, const std::string& fileName);

} // namespace velmora
