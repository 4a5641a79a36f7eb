#include "core/import/UntFrmCreatePrj.h"

#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/ProjectInfoText.h"
#include "core/ProjectOptionLog.h"
#include "core/export/FormComponents.h"
#include "core/import/ImportForms.h"
#include "core/import/ImportState.h"

#include "controls/edit/LuRichEdit.h"

#include <memory>

namespace tarnwick {

namespace {

constexpr std::int32_t Cancelled = 0;
// The host could not be asked, or its call broke off: the project was not created, which the
// caller must report rather than take for the user's cancellation.
constexpr std::int32_t CreationFailed = -1;

// The host's answer; the operation is recorded whatever the host answered.
std::int32_t AskHostToCreate(const std::string& projectPart, const std::string& resourcePart) {
    std::int32_t result = CreationFailed;
    try {
        auto create = reinterpret_cast<TVekCreatePrj>(VekGetAppInterface("XMGL", "VekCreatePrj", 1));
        if (!create)
            return CreationFailed;
        result = create(sharemem::CountedText(projectPart).Get(), sharemem::CountedText(resourcePart).Get());
        WriteProjectOptionLog(CurrentUserId(), OptypeProjectImport, PackageProjectInfo.PrjID.Str());
    } catch (...) {
    }
    return result;
}

} // namespace

TFrmCreatePrj::TFrmCreatePrj(framework::TComponent* owner) : framework::TForm(owner) {}

lu::TLuRichEdit& TFrmCreatePrj::RichEditPrjInfo() const {
    return FormComponent<lu::TLuRichEdit>(*this, "RichEditPrjInfo");
}

std::int32_t CreateProjectFromPackage(const std::string& projectPart, const std::string& resourcePart) {
    std::unique_ptr<TFrmCreatePrj> form(framework::CreateForm<TFrmCreatePrj>(framework::Application()));
    ShowProjectInfoText(form->RichEditPrjInfo(), PackageProjectInfo);
    if (form->ShowModal() != framework::mrOk)
        return Cancelled;
    return AskHostToCreate(projectPart, resourcePart);
}

namespace {
const bool registered = [] {
    framework::RegisterClass<TFrmCreatePrj, framework::TForm>("TFrmCreatePrj");
    return true;
}();
} // namespace

} // namespace tarnwick
