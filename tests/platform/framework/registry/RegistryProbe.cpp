// The entry points of the test plug-in.
#include "tests/platform/framework/registry/ProbeClasses.h"

#include "platform/framework/TypInfo.h"

extern "C" {

framework::TComponent* ProbeBuildForm(framework::TComponent* owner) {
    return framework::CreateForm<probe::TProbeForm>(owner);
}

const void* ProbeLibrary() {
    return framework::ThisLibrary();
}
}
