#pragma once

#include "platform/framework/Forms.h"

// A small class set that a test plug-in registers; the test builds the plug-in twice from these
// sources, as Tarnwick and its reduced build hold one control library each.
namespace probe {

// Which library's code made an object: each class answers from its own unit.
class IProbeOrigin {
public:
    virtual ~IProbeOrigin() = default;
    virtual const void* Origin() const = 0;
};

class TProbeForm : public framework::TForm, public IProbeOrigin {
public:
    using TForm::TForm;
    const void* Origin() const override;
};

// One published property: a second registration would show as a second property.
class TProbeBox : public framework::TComponent, public IProbeOrigin {
public:
    using TComponent::TComponent;
    int Size() const { return m_size; }
    void SetSize(int size) { m_size = size; }
    const void* Origin() const override;

private:
    int m_size = 0;
};

} // namespace probe
