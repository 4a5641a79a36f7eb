#pragma once

#include "tests/support/SmallFileSystem.h"

#include "platform/framework/ScriptedUser.h"
#include "platform/win/WinConst.h"

#include <optional>

namespace tests {

// Answers every box with OK, and fills the small disk when the first one is shown: the disk is full
// from the moment the user has read of a failure, so what is written after it finds no room. filled
// tells whether the disk could be filled.
inline void FillUpAtFirstBox(const SmallFileSystem& disk, bool& filled) {
    filled = false;
    framework::ScriptedUser().SetAnswerProvider([&disk, &filled](const framework::TDialogRecord&) {
        if (!filled)
            filled = disk.FillUp(disk.Path() + "filler");
        framework::TDialogAnswer ok;
        ok.result = win::IDOK;
        return std::optional<framework::TDialogAnswer>(ok);
    });
}

} // namespace tests
