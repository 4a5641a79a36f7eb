#pragma once

#include "platform/framework/Forms.h"

#include <cstdint>
#include <string>
#include <vector>

// Stand-ins for the workers behind the exports, built into a probe plug-in with the real entry, so
// that the exports' answers to every worker outcome can be seen from a host.
struct ProbeCall {
    std::string routine;
    std::string text1;
    std::string text2;
    std::int32_t number = 0;
    const void* tree = nullptr;
    framework::TApplication* application = nullptr; // the slots while the worker ran
    framework::TScreen* screen = nullptr;
    framework::THintWindowClass hintWindowClass = nullptr;
};

struct ProbeState {
    std::int32_t answer = 0; // the next worker's answer (the modal result in port mode)
    std::string raise;       // when set, the worker raises this instead
    std::vector<ProbeCall> calls;
    // What the next worker records for the getters, as the import preparation and the export run do.
    std::int32_t packageVersion = 0;
    std::string packageFolder;
};

using TProbeStateFunction = ProbeState* (*)();
