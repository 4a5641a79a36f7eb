#pragma once

#include "host/velmora/Arguments.h"

#include <cstddef>
#include <string>

// What the commands that run the installation's plug-in share: the host session they open, and what
// they print of the host's records afterwards.
namespace velmora {

// The options every such command takes: --user and --project.
inline const std::vector<OptionRule> SessionOptions = {{"user"}, {"project"}};

// Opens the installation in folder (which must hold one), signs the user in, opens the project,
// hands the host's application, screen and hint window class out, and prints the progress window.
class HostRequest {
public:
    HostRequest(const std::string& folder, const Arguments& args);
    ~HostRequest();
    HostRequest(const HostRequest&) = delete;
    HostRequest& operator=(const HostRequest&) = delete;

    // Raises unless folder holds an installation.
    static void RequireInstallation(const std::string& folder);

    // The log entries written since the request opened, one line each (line breaks become blanks).
    void PrintNewLogEntries() const;
    // The plug-in's error, the new log entries and the packages handed to the package management.
    void ReportRecords() const;

private:
    std::size_t m_logBefore = 0;
};

} // namespace velmora
