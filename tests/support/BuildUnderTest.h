#pragma once

// What the build a test executable is compiled for does, for tests that run over both builds
// (tarnwick_test_both_builds).

#include "core/BuildTrait.h"

#include <string>
#include <vector>

// The package version the build under test writes.
inline std::string OwnPackageVersion() {
    return std::to_string(tarnwick::BuildTrait::PackageVersion);
}

// The log entries the build under test writes of these: all of them, or none in the reduced build.
inline std::vector<std::string> Logged(const std::vector<std::string>& entries) {
    return tarnwick::BuildTrait::WritesLogEntries ? entries : std::vector<std::string>{};
}

// The operation records the build under test adds of these: all of them, or none in the reduced
// build.
inline std::vector<std::string> Recorded(const std::vector<std::string>& records) {
    return tarnwick::BuildTrait::WritesOperationRecords ? records : std::vector<std::string>{};
}
