#pragma once

#include "platform/framework/Filer.h"

namespace lu {

// Lets form streams written for older versions of the controls load: each operation reads one
// value of a property that no longer exists and drops it. Hand them to TFiler::DefineProperty
// without a writer, so the property is never written again.
class TLuOldPropReader {
public:
    static void SkipEnumValue(framework::TReader& reader);
    static void SkipSetValue(framework::TReader& reader);
};

} // namespace lu
