#pragma once

#include "platform/framework/Forms.h"

#include <string>

namespace lu {
class TLuEdit;
class TLuMemo;
} // namespace lu

namespace tarnwick {

// The package-name dialog: the name becomes the package's caption and its file name, the memo its
// description.
class TFrmEdtPckFile : public framework::TForm {
public:
    explicit TFrmEdtPckFile(framework::TComponent* owner);

    // Both trimmed.
    std::string PackageName() const;
    std::string PackageMemo() const;

    // Ends the dialog with OK once the name is one the package file can carry.
    void btnokClick(framework::TObject* sender);

    void Loaded() override;

private:
    lu::TLuEdit* m_edtName = nullptr;
    lu::TLuMemo* m_edtMemo = nullptr;
};

// Shows the dialog, owned by the application in the slot. On OK, name and memo receive the trimmed
// texts and the answer is true; otherwise both stay as they were.
bool AskPackageNameAndMemo(std::string& name, std::string& memo);

// Why a trimmed package name cannot name the package file, or empty when it can. The file is
// written as the name plus ".Package" into the work folder, so the name must be one file name.
std::string PackageNameProblem(const std::string& name);

} // namespace tarnwick
