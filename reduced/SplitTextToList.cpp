#include "reduced/SplitTextToList.h"

#include <string>

namespace tarnwick {

void SplitTextToList(std::string_view text, std::string_view delimiter, rtl::TStringList& list) {
    list.Clear();
    std::string_view rest = text;
    // An empty delimiter would be found at the front of the rest forever.
    if (!delimiter.empty()) {
        for (std::size_t at = rest.find(delimiter); at != std::string_view::npos; at = rest.find(delimiter)) {
            list.Add(std::string(rest.substr(0, at)));
            rest.remove_prefix(at + delimiter.size());
        }
    }
    if (!rest.empty())
        list.Add(std::string(rest));
}

} // namespace tarnwick
