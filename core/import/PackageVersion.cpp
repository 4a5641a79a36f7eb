#include "core/import/DetectPackageVersion.h"

#include "core/BuildTrait.h"

namespace tarnwick {

int PackageVersionOf(const std::string& text) {
    for (int version = 1; version <= BuildTrait::PackageVersion; ++version)
        if (text == std::to_string(version))
            return version;
    return 0;
}

} // namespace tarnwick
