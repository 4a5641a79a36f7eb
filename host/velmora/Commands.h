#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

// The sub-commands of velmora. Each lives in a file of its own and registers itself there, so that
// a new command is one new file.
namespace velmora {

struct Command {
    std::string name;
    // "COMMAND ARGS    what it does", one line of velmora's own help.
    std::string synopsis;
    // The command's full help text.
    std::string help;
    // Takes the words after the command's name and answers the exit status.
    std::function<int(const std::vector<std::string>&)> run;
};

// Called from a namespace-scope initialiser of the command's file; answers true.
bool RegisterCommand(Command command);
// By name.
const std::map<std::string, Command>& Commands();

// The help text of a sub-command, or of velmora itself for an empty or unknown name.
std::string HelpText(const std::string& command);

} // namespace velmora
