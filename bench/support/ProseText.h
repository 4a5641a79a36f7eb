#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

// Words of two to four syllables drawn with a skewed frequency, in sentences and lines: about as
// compressible as prose.
namespace bench {

inline std::string ProseText(std::mt19937& random, std::size_t size) {
    static const char* syllables[] = {"ka", "to", "ri", "men", "sa", "lo", "ven", "di", "ar", "tul",
                                      "pe", "nor", "es", "qui", "ban", "mo", "lin", "he", "ra", "gus"};
    std::vector<std::string> words;
    for (int i = 0; i < 3000; ++i) {
        std::string word;
        for (int n = 2 + static_cast<int>(random() % 3); n > 0; --n)
            word += syllables[random() % std::size(syllables)];
        words.push_back(word);
    }
    std::geometric_distribution<std::size_t> pick(0.004);
    std::string text;
    int inSentence = 0, inLine = 0;
    while (text.size() < size) {
        std::string word = words[std::min(pick(random), words.size() - 1)];
        if (inSentence == 0)
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
        text += word;
        inLine += static_cast<int>(word.size()) + 1;
        if (++inSentence > 6 + static_cast<int>(random() % 12)) {
            text += '.';
            inSentence = 0;
        }
        text += inLine > 72 ? '\n' : ' ';
        if (inLine > 72)
            inLine = 0;
    }
    text.resize(size);
    return text;
}

} // namespace bench
