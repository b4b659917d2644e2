// The desktop permission service and the dispatch of an event handler.
#include "app/model/platform.h"

#include <exception>

namespace pile {

void GrantingPermissionService::request(const std::vector<std::string>& permissions,
                                        const RationaleHandler& /*rationale*/,
                                        const ResultHandler& result) {
    const std::vector<PermissionStatus> statuses(permissions.size(), PermissionStatus::Granted);
    if (result) result(permissions, statuses);
}

bool dispatchEvent(ErrorBox& errors, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        errors.showError(e.what());
    } catch (...) {
        errors.showError("未知错误");
    }
    return false;
}

}  // namespace pile
