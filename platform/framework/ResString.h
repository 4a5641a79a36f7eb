#pragma once

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <string>

// Resource strings: the texts a library raises or shows, each declared once apart from the code
// that uses it, so that they can be translated without touching that code.
//
//   inline constexpr framework::TResString SCapacityError{"Capacity must be -1 (to cache all regions) or >
//   0"}; inline constexpr framework::TResString SPageIndexError{"%d is an invalid PageIndex value. ..."};
//   framework::RaiseResString(SCapacityError);
//   framework::RaiseResString(SPageIndexError, index, count - 1);
namespace framework {

struct TResString {
    const char* text;
};

// The text, with its "%" placeholders filled (rtl::Format) when arguments are given.
template <class... Args> std::string LoadResString(const TResString& resource, const Args&... args) {
    if constexpr (sizeof...(Args) == 0)
        return resource.text;
    else
        return rtl::Format(resource.text, args...);
}

// Raises the text as the general exception class, rtl::Exception.
template <class... Args> [[noreturn]] void RaiseResString(const TResString& resource, const Args&... args) {
    throw rtl::Exception(LoadResString(resource, args...));
}

} // namespace framework
