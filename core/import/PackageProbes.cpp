#include "core/import/PackageProbes.h"

#include "core/AccountBook.h"
#include "core/ModuleItems.h"
#include "core/PackageDocument.h"
#include "core/ReadPackModField.h"
#include "core/import/ImportState.h"
#include "core/import/PackageReaders.h"
#include "core/import/UserKind.h"

#include "platform/rtl/Numbers.h"

namespace tarnwick {

namespace {

constexpr int ModuleNeedsAccountBook = 2;

std::string ModInPrjOf(const std::string& caption) {
    std::string value;
    ReadPackModField(caption, "ModInPrj", value);
    return value;
}

bool AccountBookSelected() {
    std::string book;
    GetSelectedAccountBookId(book);
    return !book.empty() && book != "-1";
}

} // namespace

bool PackageTypeIs(const std::string& xmlFile, const std::string& typeName) {
    xml::TXMLDocument doc;
    doc.LoadFromFile(xmlFile);
    const xml::TXMLNode info = FindRootNode(doc, PackageInfoNode);
    if (info.IsNull())
        return false;
    const std::optional<std::string> type = PackageAttribute(info, "PackageTypeName");
    return type && *type == typeName;
}

bool ItemPassesImportFilters(const xml::TXMLNode& item) {
    const std::string caption = PackageAttributeText(item, "ModCaption");
    if (ImportMode == ImportModeProjectFree && ModInPrjOf(caption) == "1")
        return false;
    if (ImportMode == ImportModeIntoProject && caption == ProjectInfoItem)
        return false;
    // The book is asked for every item that gets this far, whatever its module needs.
    const int inPrj = rtl::StrToInt(ModInPrjOf(caption));
    const bool bookSelected = AccountBookSelected();
    return inPrj != ModuleNeedsAccountBook || bookSelected;
}

int CountImportableItems(const std::string& xmlFile) {
    xml::TXMLDocument doc;
    doc.LoadFromFile(xmlFile);
    int count = 0;
    for (const xml::TXMLNode& item : RequiredPackageItems(doc)) {
        if (!ItemPassesImportFilters(item))
            continue;
        if (PackageAttributeText(item, "ModCaption") == SystemPersonnelItem && !CurrentUserIsAdministrator())
            continue;
        ++count;
    }
    return count;
}

} // namespace tarnwick
