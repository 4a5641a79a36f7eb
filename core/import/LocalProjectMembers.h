#pragma once

#include <string>

namespace tarnwick {

// The user is one of the persons this installation keeps for the project (compared without regard
// to case). What a package says of its project's persons decides nothing about a project that
// exists here.
bool IsLocalProjectMember(const std::string& prjId, const std::string& userId);

} // namespace tarnwick
