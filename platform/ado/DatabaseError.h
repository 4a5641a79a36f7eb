#pragma once

#include "platform/rtl/Exceptions.h"

namespace ado {

// Raised for everything the data layer refuses: SQL the database rejects, unknown fields, operations
// on a closed dataset, files that hold no recordset.
class EDatabaseError : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

} // namespace ado
