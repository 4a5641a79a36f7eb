#include "core/Messages.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

int ShowBox(const std::string& text, int flags) {
    framework::TApplication* app = framework::Application();
    // A host that handed over no application still hears the message: a box without owner or title.
    if (!app)
        return framework::DialogService().MessageBox(text, "", flags);
    return app->MessageBox(text, app->Title(), flags);
}

void ShowInfo(const std::string& text) {
    const std::string trimmed = rtl::Trim(text);
    if (trimmed.empty())
        return;
    ShowBox(trimmed, InformationBoxFlags);
}

std::string WrongPackageKindText(const std::string& tool, const std::string& kind) {
    if (kind.empty())
        return "";
    return "要导入的包是" + kind + "导出的包，请使用" + tool + "的" + kind + "导入功能导入！";
}

void ShowWrongPackageKind(const std::string& tool, const std::string& kind) {
    ShowInfo(WrongPackageKindText(tool, kind));
}

} // namespace tarnwick
