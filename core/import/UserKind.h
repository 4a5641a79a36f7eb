#pragma once

#include <string>

namespace tarnwick {

inline constexpr char AdministratorUserKind[] = "Admin";
inline constexpr char OrdinaryUserKind[] = "User";

// The current user (VekGetCurUUID) is the administrator account.
bool CurrentUserIsAdministrator();
// "Admin" for the administrator account, "User" for everyone else.
std::string UserKindOfCurrentUser();

} // namespace tarnwick
