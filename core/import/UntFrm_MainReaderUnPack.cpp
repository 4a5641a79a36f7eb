#include "core/import/UntFrm_MainReaderUnPack.h"

#include "core/Messages.h"
#include "core/ModuleCalls.h"
#include "core/ModuleItems.h"
#include "core/ModuleTabs.h"
#include "core/PackageDocument.h"
#include "core/export/FormComponents.h"
#include "core/import/ImportForms.h"
#include "core/import/ImportRun.h"

#include "controls/button/LuBitBtn.h"
#include "controls/tabs/LuPageControl.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <memory>
#include <vector>

namespace tarnwick {

TFrm_MainReaderUnPack* Frm_MainReaderUnPack = nullptr;

namespace {

constexpr char PreviewCaption[] = "Velmora 预览";

} // namespace

TFrm_MainReaderUnPack::TFrm_MainReaderUnPack(framework::TComponent* owner) : framework::TForm(owner) {}

void TFrm_MainReaderUnPack::Loaded() {
    framework::TForm::Loaded();
    m_pageImport = &FormComponent<lu::TLuPageControl>(*this, "PageImport");
    m_btnHorzNext = &FormComponent<lu::TLuBitBtn>(*this, "btnHorzNext");
}

void TFrm_MainReaderUnPack::FormShow(framework::TObject*) {
    LoadPackage();
}

void TFrm_MainReaderUnPack::FormClose(framework::TObject*, framework::TCloseAction&) {
    ReleaseModuleTabs(*m_pageImport, 0);
}

void TFrm_MainReaderUnPack::LoadPackage() {
    ClearTabSheets(*m_pageImport);
    const std::string xmlFile = m_packageFolder + PackageDocumentName;
    if (rtl::FileExists(xmlFile))
        BuildImportTabs(xmlFile);
    else
        ShowInfo("选择文件不存在，请检查后导入！");
    HidePersonnelTab();
}

// Only items read whole get a tab: no module library is handed a tab with partial values.
void TFrm_MainReaderUnPack::BuildImportTabs(const std::string& xmlFile) {
    const TImportItems read = ReadImportItems(xmlFile, m_packageFolder);
    for (const TImportItem& item : read.Items) {
        lu::TLuTabSheet& tab = AddModuleTab(item);
        const TModuleCallTarget target = ModuleCallTargetOf(item, m_packageFolder, m_importFlag == 0);
        CallModuleImportProc(item.ModDllFile, target.EntryID, target.Path, &tab);
    }
    if (!rtl::Trim(read.Errors).empty())
        ShowInfo(read.Errors);
    if (m_pageImport->GetPageCount() > 0)
        m_pageImport->SetActivePageIndex(0);
}

lu::TLuTabSheet& TFrm_MainReaderUnPack::AddModuleTab(const TImportItem& item) {
    auto* tab = new lu::TLuTabSheet(m_pageImport);
    tab->SetName("ImportTab" + std::to_string(item.Index));
    tab->SetTag(item.EntryID);
    tab->SetHint(item.ModDllFile);
    tab->SetHelpKeyword(item.AppFileName);
    tab->SetCaption(item.Caption);
    tab->SetPageControl(m_pageImport);
    return *tab;
}

TImportItem TFrm_MainReaderUnPack::ItemOfTab(const lu::TLuTabSheet& tab) {
    TImportItem item;
    item.Caption = tab.Caption();
    item.EntryID = static_cast<std::int32_t>(tab.Tag());
    item.ModDllFile = tab.Hint();
    item.AppFileName = tab.HelpKeyword();
    return item;
}

void TFrm_MainReaderUnPack::HidePersonnelTab() {
    lu::TLuTabSheet* firstOther = nullptr;
    for (int i = 0; i < m_pageImport->GetPageCount(); ++i) {
        lu::TLuTabSheet* page = m_pageImport->GetPage(i);
        if (page->Caption() == SystemPersonnelItem)
            page->SetTabVisible(false);
        else if (!firstOther)
            firstOther = page;
    }
    if (firstOther)
        m_pageImport->SetActivePage(firstOther);
}

// Hidden tabs are imported too: the personnel tab of a user who may not see it.
void TFrm_MainReaderUnPack::btnHorzNextClick(framework::TObject*) {
    std::vector<TImportItem> tabs;
    for (int i = 0; i < m_pageImport->GetPageCount(); ++i)
        tabs.push_back(ItemOfTab(*m_pageImport->GetPage(i)));
    RunPackageImport(this, tabs, m_packageFolder, m_userKind);
}

void ShowImportWizard(const std::string& packageFolder, const std::string& userKind, bool preview) {
    std::unique_ptr<TFrm_MainReaderUnPack> form(
        framework::CreateForm<TFrm_MainReaderUnPack>(framework::Application()));
    struct Current {
        explicit Current(TFrm_MainReaderUnPack* form) { Frm_MainReaderUnPack = form; }
        ~Current() { Frm_MainReaderUnPack = nullptr; }
    } current(form.get());
    if (preview) {
        form->btnHorzNext().SetVisible(false);
        form->SetImportFlag(0);
        form->SetCaption(PreviewCaption);
    } else {
        form->SetImportFlag(1);
    }
    form->SetPackageFolder(packageFolder);
    form->SetUserKind(userKind);
    form->ShowModal();
}

namespace {
[[maybe_unused]] const auto registerForm =
    framework::RegisterClass<TFrm_MainReaderUnPack, framework::TForm>("TFrm_MainReaderUnPack")
        .Handler("FormShow", &TFrm_MainReaderUnPack::FormShow)
        .Handler("FormClose", &TFrm_MainReaderUnPack::FormClose)
        .Handler("btnHorzNextClick", &TFrm_MainReaderUnPack::btnHorzNextClick);
} // namespace

} // namespace tarnwick
