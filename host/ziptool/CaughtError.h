#pragma once

#include <functional>
#include <string>

namespace host {

// Runs work, which answers an error text or "", and answers that text or the message of what it
// raised: the tool's entry points and its worker threads report failures as text, never raise.
std::string CaughtError(const std::function<std::string()>& work);

} // namespace host
