#pragma once

#include "platform/rtl/StringList.h"

#include <string_view>

namespace tarnwick {

// Fills list with the pieces of text between occurrences of delimiter: a delimiter at the start or
// two in a row give empty pieces, one at the end gives none, and an empty text gives no piece. An
// empty delimiter occurs nowhere, so the whole text is one piece.
void SplitTextToList(std::string_view text, std::string_view delimiter, rtl::TStringList& list);

} // namespace tarnwick
