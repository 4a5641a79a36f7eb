#include "controls/common/LuOldPropReader.h"

namespace lu {

void TLuOldPropReader::SkipEnumValue(framework::TReader& reader) {
    reader.ReadIdent();
}

void TLuOldPropReader::SkipSetValue(framework::TReader& reader) {
    if (reader.ReadValue() != framework::vaSet)
        throw framework::EPropertyError("Invalid property value: a set expected");
    while (!reader.ReadStr().empty()) {
    }
}

} // namespace lu
