#pragma once

namespace tarnwick {

// Joins the fields of a person, the files of a compression list and the parts of a preview path.
inline constexpr char ListSeparator[] = "@&@";

} // namespace tarnwick
