#pragma once

#include "core/import/ImportItems.h"

#include "platform/framework/Forms.h"

#include <cstdint>
#include <string>

namespace lu {
class TLuBitBtn;
class TLuPageControl;
class TLuTabSheet;
} // namespace lu

namespace tarnwick {

// The import and preview wizard: one module tab per package item this import offers, each filled by
// the item's module library; "导入" lets every module library import its item.
class TFrm_MainReaderUnPack : public framework::TForm {
public:
    explicit TFrm_MainReaderUnPack(framework::TComponent* owner);

    // The work folder holding the extracted package, with its trailing separator.
    const std::string& PackageFolder() const { return m_packageFolder; }
    void SetPackageFolder(const std::string& value) { m_packageFolder = value; }
    // "Admin" or "User".
    const std::string& UserKind() const { return m_userKind; }
    void SetUserKind(const std::string& value) { m_userKind = value; }
    // 1 import, 0 preview.
    std::uint8_t ImportFlag() const { return m_importFlag; }
    void SetImportFlag(std::uint8_t value) { m_importFlag = value; }

    // Event handlers the form resource names.
    void FormShow(framework::TObject* sender);
    void FormClose(framework::TObject* sender, framework::TCloseAction& action);
    void btnHorzNextClick(framework::TObject* sender);

    // Replaces every page by the module tabs of the package in PackageFolder.
    void LoadPackage();
    void BuildImportTabs(const std::string& xmlFile);
    // The personnel tab is never shown; the first other page is the active one.
    void HidePersonnelTab();

    lu::TLuPageControl& PageImport() const { return *m_pageImport; }
    lu::TLuBitBtn& btnHorzNext() const { return *m_btnHorzNext; }

    void Loaded() override;

private:
    lu::TLuTabSheet& AddModuleTab(const TImportItem& item);
    static TImportItem ItemOfTab(const lu::TLuTabSheet& tab);

    std::string m_packageFolder;
    std::string m_userKind;
    std::uint8_t m_importFlag = 1;

    lu::TLuPageControl* m_pageImport = nullptr;
    lu::TLuBitBtn* m_btnHorzNext = nullptr;
};

// The wizard an import has created and not yet freed.
extern TFrm_MainReaderUnPack* Frm_MainReaderUnPack;

} // namespace tarnwick
