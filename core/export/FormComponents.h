#pragma once

#include "platform/framework/Classes.h"
#include "platform/rtl/Exceptions.h"

#include <string>

namespace tarnwick {

// A component the form's resource must hold, of the class the code relies on.
template <class T> T& FormComponent(const framework::TComponent& form, const std::string& name) {
    T* found = dynamic_cast<T*>(form.FindComponent(name));
    if (!found)
        throw rtl::Exception(form.ClassName() + ": its form resource holds no " + name + " of the expected class");
    return *found;
}

} // namespace tarnwick
