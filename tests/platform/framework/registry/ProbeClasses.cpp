#include "tests/platform/framework/registry/ProbeClasses.h"

#include "platform/framework/TypInfo.h"

namespace probe {

const void* TProbeForm::Origin() const {
    return framework::ThisLibrary();
}

const void* TProbeBox::Origin() const {
    return framework::ThisLibrary();
}

namespace {

[[maybe_unused]] const auto registerForm =
    framework::RegisterClass<TProbeForm, framework::TForm>("TProbeForm");
[[maybe_unused]] const auto registerBox =
    framework::RegisterClass<TProbeBox, framework::TComponent>("TProbeBox")
        .Integer("Size", &TProbeBox::Size, &TProbeBox::SetSize, 0);

} // namespace

} // namespace probe
