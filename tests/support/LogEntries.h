#pragma once
// The host's log as the plug-in's tests read it: the entries written since they last looked.
#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/HostControl.h"

namespace tests {

// The entries after the first seen ones, as "ModuleCode: Message"; seen moves past them. Each entry
// is checked to be the plug-in's own, at its level and kind, for the user signed in.
inline std::vector<std::string> NewLogEntries(std::size_t& seen) {
    const std::vector<host::LogRow> rows = host::LogRows();
    std::vector<std::string> entries;
    for (std::size_t i = seen; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Level, 1);
        EXPECT_EQ(rows[i].User, host::CurrentUser());
        EXPECT_EQ(rows[i].Program, "Tarnwick");
        EXPECT_EQ(rows[i].Kind, 4);
        entries.push_back(rows[i].ModuleCode + ": " + rows[i].Message);
    }
    seen = rows.size();
    return entries;
}

} // namespace tests
