#include "host/velmora/Arguments.h"

#include <algorithm>

namespace velmora {

Arguments::Arguments(const std::vector<std::string>& words, const std::vector<OptionRule>& options) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            m_positional.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        auto rule =
            std::find_if(options.begin(), options.end(), [&](const OptionRule& o) { return o.name == name; });
        if (rule == options.end())
            throw UsageError("unknown option " + word);
        if (!rule->repeatable && Has(name))
            throw UsageError("option " + word + " is given twice");
        if (!rule->takesValue) {
            m_values[name].push_back("");
            continue;
        }
        if (i + 1 >= words.size())
            throw UsageError("option " + word + " needs a value");
        m_values[name].push_back(words[++i]);
    }
}

std::string Arguments::Value(const std::string& option, const std::string& fallback) const {
    auto found = m_values.find(option);
    return found == m_values.end() ? fallback : found->second.front();
}

std::vector<std::string> Arguments::Values(const std::string& option) const {
    auto found = m_values.find(option);
    return found == m_values.end() ? std::vector<std::string>() : found->second;
}

} // namespace velmora
