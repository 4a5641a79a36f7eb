#include "core/export/UntFrmEdtPckName.h"

#include "core/Messages.h"
#include "core/export/FormComponents.h"

#include "controls/edit/LuEdit.h"
#include "controls/edit/LuMemo.h"

#include "platform/rtl/Text.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace tarnwick {

namespace {

// Characters no file name may hold on the systems packages move between.
constexpr std::string_view ForbiddenNameCharacters = "\\/:*?\"<>|";

} // namespace

std::string PackageNameProblem(const std::string& name) {
    if (name.empty())
        return "包文件名称不能为空！";
    const bool controlCharacter = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (name == "." || name == ".." || controlCharacter ||
        name.find_first_of(ForbiddenNameCharacters) != std::string::npos)
        return "包文件名称不能是“.”或“..”，也不能包含下列字符：\\ / : * ? \" < > |";
    return "";
}

TFrmEdtPckFile::TFrmEdtPckFile(framework::TComponent* owner) : framework::TForm(owner) {}

void TFrmEdtPckFile::Loaded() {
    framework::TForm::Loaded();
    m_edtName = &FormComponent<lu::TLuEdit>(*this, "EdtName");
    m_edtMemo = &FormComponent<lu::TLuMemo>(*this, "EdtMemo");
}

std::string TFrmEdtPckFile::PackageName() const {
    return rtl::Trim(m_edtName->Text());
}

std::string TFrmEdtPckFile::PackageMemo() const {
    return rtl::Trim(m_edtMemo->Text());
}

void TFrmEdtPckFile::btnokClick(framework::TObject*) {
    const std::string problem = PackageNameProblem(PackageName());
    if (!problem.empty()) {
        ShowInfo(problem);
        m_edtName->SetFocus();
        return;
    }
    SetModalResult(framework::mrOk);
}

bool AskPackageNameAndMemo(std::string& name, std::string& memo) {
    std::unique_ptr<TFrmEdtPckFile> dialog(framework::CreateForm<TFrmEdtPckFile>(framework::Application()));
    if (dialog->ShowModal() != framework::mrOk)
        return false;
    name = dialog->PackageName();
    memo = dialog->PackageMemo();
    return true;
}

namespace {
[[maybe_unused]] const auto registerForm =
    framework::RegisterClass<TFrmEdtPckFile, framework::TForm>("TFrmEdtPckFile")
        .Handler("btnokClick", &TFrmEdtPckFile::btnokClick);
} // namespace

} // namespace tarnwick
