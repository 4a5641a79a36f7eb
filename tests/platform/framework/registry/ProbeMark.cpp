// Nothing refers to this class but the form resource, which names it.
#include "tests/platform/framework/registry/ProbeClasses.h"

#include "platform/framework/TypInfo.h"

namespace probe {

namespace {

class TProbeMark : public framework::TComponent, public IProbeOrigin {
public:
    using TComponent::TComponent;
    const void* Origin() const override { return framework::ThisLibrary(); }
};

[[maybe_unused]] const auto registerMark =
    framework::RegisterClass<TProbeMark, framework::TComponent>("TProbeMark");

} // namespace

} // namespace probe
