#pragma once

#include <cstddef>
#include <string>

namespace xml {

// Streams the document at fileName, never holding it whole, and answers whether some element of it
// has more than maxChildren child elements; it stops at the first such element, so a list of a
// million entries costs no more than one just over the bound. Parsed as documents are loaded here:
// no network, no DTD, no entity expansion. A document that cannot be read holds no such list: whoever
// loads it refuses it for what it is.
bool HoldsListLongerThan(const std::string& fileName, std::size_t maxChildren);

} // namespace xml
