#pragma once

// Which plug-in a unit is compiled for, for the few places where the two builds differ by a line
// rather than by a whole unit. Only units compiled once per plug-in may ask (tarnwick_per_build in
// CMake); a unit of the shared core that includes this fails to compile, since it could answer only
// for one of the two plug-ins.
#ifndef TARNWICK_REDUCED_BUILD
#error "core/BuildTrait.h belongs to units compiled once per plug-in (tarnwick_per_build)"
#endif

namespace tarnwick {

struct BuildTrait {
    static constexpr bool Reduced = TARNWICK_REDUCED_BUILD != 0;
    // The package format the build writes; it reads this one and the older ones.
    static constexpr int PackageVersion = Reduced ? 2 : 3;
    // The reduced build writes only the account-book lookup's entry, which goes to the host directly.
    static constexpr bool WritesLogEntries = !Reduced;
    static constexpr bool WritesOperationRecords = !Reduced;
    // GetPackageVer and GetPackageDir read what the last import and export left; the reduced build
    // has neither export.
    static constexpr bool KeepsPackageState = !Reduced;
};

} // namespace tarnwick
