#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The two steps of the import that show a form of their own.
namespace tarnwick {

// Shows the package's project information and, once the user confirms, has the host create the
// project from the two parts: > 0 created, 0 cancelled, < 0 failed (the host's answer, or -1 when
// the host offers no creation or its call broke off).
std::int32_t CreateProjectFromPackage(const std::string& projectPart, const std::string& resourcePart);
// Shows the import wizard modally over the extracted package (preview only, or import) and frees it.
void ShowImportWizard(const std::string& packageFolder, const std::string& userKind, bool preview);

// The import reaches both forms only through here, so that the decisions around them can be driven
// with every answer the forms may give.
struct TImportForms {
    std::function<std::int32_t(const std::string& projectPart, const std::string& resourcePart)>
        CreateProject = CreateProjectFromPackage;
    std::function<void(const std::string& packageFolder, const std::string& userKind, bool preview)>
        ShowWizard = ShowImportWizard;
};
TImportForms& ImportForms();

} // namespace tarnwick
