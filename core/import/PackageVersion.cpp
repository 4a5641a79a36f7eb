// The package versions Tarnwick reads.

#include "core/import/DetectPackageVersion.h"

namespace tarnwick {

int PackageVersionOf(const std::string& text) {
    if (text == "3")
        return 3;
    if (text == "2")
        return 2;
    if (text == "1")
        return 1;
    return 0;
}

} // namespace tarnwick
