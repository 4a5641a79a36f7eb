#pragma once

// Crafted and unlucky packages imported through the plug-in's entry VekPackPortInfo, and what each
// case must leave as it found.

#include "tests/core/import/ImportFixture.h"
#include "tests/support/InstallationState.h"

#include <cstdint>
#include <map>
#include <string>

class CraftedImportTest : public ImportTest {
protected:
    // VekPackPortInfo as the host calls it to import a package (mode -1).
    std::int32_t Import(const std::string& package);

    // What an import may not change unless it was allowed to: the rows of projects, persons and
    // memberships, and every file and folder of the installation but its work folder.
    struct Untouched {
        tests::InstallationState state;
        std::map<std::string, std::string> outsideWorkFolder;
    };
    Untouched Snapshot() const;

    // After each crafted case: every database of the installation passes its integrity check, no
    // staging or work folder is left, every progress window was closed, and nothing was written
    // beside the installation or beside the package.
    void ExpectSoundAndTidy(const std::string& package) const;
    // And, for a case that may change nothing, the installation is as it was before.
    void ExpectNothingLeft(const Untouched& before, const std::string& package) const;
};
