#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// A sub-command's words: positional words, and options "--name value" (or "--flag" alone).
namespace velmora {

// A command line the command cannot take; its text says what is wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionRule {
    std::string name;      // without the dashes
    bool takesValue = true;
    bool repeatable = false;
};

class Arguments {
public:
    // Raises UsageError for an unknown option, a missing value or a repeated single option.
    Arguments(const std::vector<std::string>& words, const std::vector<OptionRule>& options);

    const std::vector<std::string>& Positional() const { return m_positional; }
    bool Has(const std::string& option) const { return m_values.count(option) != 0; }
    // The option's value, or fallback when it is absent.
    std::string Value(const std::string& option, const std::string& fallback = {}) const;
    // Every value of a repeatable option, in order.
    std::vector<std::string> Values(const std::string& option) const;

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::vector<std::string>> m_values;
};

} // namespace velmora
