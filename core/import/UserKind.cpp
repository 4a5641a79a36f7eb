#include "core/import/UserKind.h"

#include "core/HostApi.h"
#include "core/HostSession.h"

namespace tarnwick {

bool CurrentUserIsAdministrator() {
    return CurrentUserId() == AdministratorUserId;
}

std::string UserKindOfCurrentUser() {
    return CurrentUserIsAdministrator() ? AdministratorUserKind : OrdinaryUserKind;
}

} // namespace tarnwick
