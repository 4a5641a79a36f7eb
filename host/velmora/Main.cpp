// velmora: the stand-in host run from a terminal.

#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/Terminal.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <utility>
#include <vector>

namespace velmora {

namespace {

std::map<std::string, Command>& Registry() {
    static std::map<std::string, Command> commands;
    return commands;
}

bool AsksForHelp(const std::vector<std::string>& words) {
    for (const std::string& w : words)
        if (w == "--help" || w == "-h")
            return true;
    return false;
}

} // namespace

bool RegisterCommand(Command command) {
    const std::string name = command.name;
    Registry().emplace(name, std::move(command));
    return true;
}

const std::map<std::string, Command>& Commands() {
    return Registry();
}

std::string HelpText(const std::string& command) {
    if (const auto found = Commands().find(command); found != Commands().end())
        return found->second.help;
    std::string text =
        "usage: velmora COMMAND ...\n\nThe stand-in host of the Tarnwick plug-in, run from a terminal.\n\n";
    // Each synopsis is its usage, two or more blanks, and what it does: the second columns line up.
    std::vector<std::pair<std::string, std::string>> lines;
    for (const auto& [name, c] : Commands()) {
        const std::size_t gap = c.synopsis.find("  ");
        const std::size_t what = c.synopsis.find_first_not_of(' ', gap);
        lines.emplace_back(c.synopsis.substr(0, gap),
                           gap == std::string::npos ? "" : c.synopsis.substr(what));
    }
    lines.emplace_back("help [COMMAND]", "this text, or a command's (also COMMAND --help)");
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, line.first.size());
    for (const auto& [usage, what] : lines)
        text += "  velmora " + usage + std::string(width - usage.size() + 3, ' ') + what + "\n";
    return text;
}

} // namespace velmora

int main(int argc, char** argv) {
    using namespace velmora;
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        std::cerr << HelpText("");
        return 2;
    }
    const std::string command = all.front();
    const std::vector<std::string> words(all.begin() + 1, all.end());
    if (command == "help" || command == "--help" || command == "-h") {
        std::cout << HelpText(words.empty() ? "" : words.front());
        return 0;
    }
    const auto found = Commands().find(command);
    if (found == Commands().end()) {
        Complain("unknown command " + command);
        std::cerr << HelpText("");
        return 2;
    }
    if (AsksForHelp(words)) {
        std::cout << found->second.help;
        return 0;
    }
    try {
        return found->second.run(words);
    } catch (const UsageError& e) {
        Complain(e.what());
        std::cerr << found->second.help;
        return 2;
    } catch (const std::exception& e) {
        Complain(e.what());
        return 1;
    }
}
