#pragma once

#include <string>
#include <vector>

// The sub-commands of velmora; each takes the words after its name and answers the exit status.
namespace velmora {

inline constexpr char PluginFileName[] = "Tarnwick.so";

int RunInit(const std::vector<std::string>& words);
int RunExport(const std::vector<std::string>& words);
int RunContents(const std::vector<std::string>& words);

// The help text of a sub-command, or of velmora itself for an empty or unknown name.
std::string HelpText(const std::string& command);

} // namespace velmora
