#pragma once

#include <cstddef>
#include <string>

namespace tarnwick {

// Whether the project part a project would be created from holds a list of more than maxEntries
// entries: its persons, or any other list of any XML document in it. The part is the folder "XMGL\"
// of a version-3 package, or the archive "XMGL.pck" of a version-2 one, which is unpacked for the
// look into a folder of its own in the work folder and removed afterwards. A part that is missing or
// does not unpack holds no such list: the host refuses it when it is used.
bool ProjectPartHoldsListLongerThan(const std::string& packageFolder, int version, std::size_t maxEntries);

} // namespace tarnwick
