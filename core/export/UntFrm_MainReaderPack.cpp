#include "core/export/UntFrm_MainReaderPack.h"

#include "core/AccountBook.h"
#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/Messages.h"
#include "core/ModuleCalls.h"
#include "core/ModuleItems.h"
#include "core/ModuleTabs.h"
#include "core/export/FormComponents.h"
#include "core/export/UntFrame_CheckItem.h"
#include "core/export/UntFrmEdtPckName.h"

#include "controls/button/LuBitBtn.h"
#include "controls/checkbox/LuCheckBox.h"
#include "controls/label/LuLabel.h"
#include "controls/panel/LuPanels.h"
#include "controls/tabs/LuPageControl.h"

#include "platform/ado/ADOQuery.h"
#include "platform/framework/ExtCtrls.h"
#include "platform/framework/ImgList.h"
#include "platform/framework/ScrollBox.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Text.h"

#include <memory>

namespace tarnwick {

TFrm_MainReaderPack* Frm_MainReaderPack = nullptr;

namespace {

constexpr char NextCaption[] = "下一步";
constexpr char ExportCaption[] = "导出";
constexpr int NextImage = 0;
constexpr int ExportImage = 2;

constexpr int ListPage = 0;
constexpr int ModuleTabsPage = 1;
constexpr std::int32_t Forward = 1;

// Rows share the group box's height while each gets at least this much.
constexpr int MinimumSpreadRowHeight = 45;
constexpr int CompactRowHeight = 42;

constexpr char PortModeCaption[] = "Velmora 导出";
constexpr int PortModeHeight = 480;

std::string NoteText(std::int32_t kind, const std::string& text) {
    switch (kind) {
    case NoteDefault:
        return "说明：\r\n    1．预览按钮可以预览选择的信息\r\n    2．选择要导出的信息下一步进行信息导出";
    case NoteAdministrator:
        return "说明：\r\n    当前登录人员为Admin用户";
    case NoteNoProject:
        return "说明：\r\n    当前没有打开项目";
    default:
        return text;
    }
}

bool IsAdministrator() {
    return CurrentUserId() == AdministratorUserId;
}

// A component name is an identifier: the row keeps what of the module's GUID can be part of one
// ("{6A1F0C2E-0001-...}" has braces and dashes), and a GUID two rows share gets the row index.
std::string RowName(const std::string& modGuid, int index, const framework::TComponent& box) {
    std::string name = "SelectItem_";
    for (char c : modGuid)
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')
            name.push_back(c);
    if (box.FindComponent(name))
        name += "_" + std::to_string(index);
    return name;
}

} // namespace

TFrm_MainReaderPack::TFrm_MainReaderPack(framework::TComponent* owner) : framework::TForm(owner) {}

void TFrm_MainReaderPack::Loaded() {
    framework::TForm::Loaded();
    m_luPanel3 = &FormComponent<lu::TLuPanel>(*this, "LuPanel3");
    m_luLabel1 = &FormComponent<lu::TLuLabel>(*this, "LuLabel1");
    m_btnSelAll = &FormComponent<lu::TLuBitBtn>(*this, "BtnSelAll");
    m_btnHorzPrev = &FormComponent<lu::TLuBitBtn>(*this, "btnHorzPrev");
    m_btnHorzNext = &FormComponent<lu::TLuBitBtn>(*this, "btnHorzNext");
    m_pageSelectItem = &FormComponent<lu::TLuPageControl>(*this, "PageSelectItem");
    m_tabFirst = &FormComponent<lu::TLuTabSheet>(*this, "TabFirst");
    m_tabSecond = &FormComponent<lu::TLuTabSheet>(*this, "TabSecond");
    m_gBox = &FormComponent<lu::TLuGroupBox>(*this, "GBox");
    m_sc = &FormComponent<framework::TScrollBox>(*this, "Sc");
    m_pageInfo = &FormComponent<lu::TLuPageControl>(*this, "PageInfo");
    m_qryItem = &FormComponent<ado::TADOQuery>(*this, "qryItem");
    m_imageList1 = &FormComponent<framework::TCustomImageList>(*this, "ImageList1");
}

// --- Showing and closing ---

void TFrm_MainReaderPack::FormShow(framework::TObject*) {
    // In port mode the export loaded the list and stepped forward before showing the wizard.
    if (m_portMode) {
        m_btnHorzPrev->SetVisible(false);
        return;
    }
    ClearTabSheets(*m_pageInfo);
    LoadModuleList();
    m_listShown = 1;
}

void TFrm_MainReaderPack::FormClose(framework::TObject*, framework::TCloseAction&) {
    ReleaseModuleTabs(*m_pageInfo, 1);
}

void TFrm_MainReaderPack::EnterPortMode() {
    SetCaption(PortModeCaption);
    m_luPanel3->SetVisible(false);
    SetHeight(PortModeHeight);
    ClearTabSheets(*m_pageInfo);
    m_portMode = 1;
    m_listShown = 0;
}

// --- The module list ---

void TFrm_MainReaderPack::LoadModuleList() {
    const std::string sql = VekGetWorkingStyle() == 1
                                ? "select * from Vek_PackMod where ModCheck = -1 order by ModIndex"
                                : "select * from Vek_PackMod order by ModIndex";
    try {
        m_qryItem->Close();
        m_qryItem->SetConnection(GetBaseDBConnection());
        m_qryItem->SQL().SetText(sql);
        m_qryItem->Open();
    } catch (...) {
        // The list stays empty; "下一步" then says that nothing is chosen.
        return;
    }
    const int records = m_qryItem->RecordCount();
    int rowHeight = records > 0 ? m_gBox->Height() / records : 0;
    if (rowHeight < MinimumSpreadRowHeight)
        rowHeight = CompactRowHeight;
    m_qryItem->First();
    for (int i = 0; !m_qryItem->Eof(); ++i) {
        AddModuleRow(i, rowHeight);
        m_qryItem->Next();
    }
    MoveStep(true, 0);
}

void TFrm_MainReaderPack::AddModuleRow(int index, int rowHeight) {
    const int modInPrj = m_qryItem->FieldByName("ModInPrj").AsInteger();
    TFrame_CheckItem* row = framework::CreateForm<TFrame_CheckItem>(m_sc);
    row->SetName(RowName(m_qryItem->FieldByName("ModGUID").AsString(), index, *m_sc));
    row->SetModDllFile(m_qryItem->FieldByName("ModDllFile").AsString());
    row->SetEntryID(m_qryItem->FieldByName("EntryID").AsInteger());
    row->SetModMemo(m_qryItem->FieldByName("ModMemo").AsString());
    row->cSelectItem().SetCaption(m_qryItem->FieldByName("ModCaption").AsString());
    row->bView().SetImages(m_imageList1);
    row->SetParent(m_sc);
    row->SetTop(m_gBox->Top() + index * rowHeight);
    row->Bevel1().SetVisible(NextRowStartsGroup());
    ApplyItemEnabling(*row, modInPrj);
}

bool TFrm_MainReaderPack::NextRowStartsGroup() {
    if (!m_qryItem->Active())
        return false;
    const int current = m_qryItem->FieldByName("ModInPrj").AsInteger();
    // Next on the last row stays there (and only sets Eof), so stepping back would leave the row.
    const int recNo = m_qryItem->RecNo();
    m_qryItem->Next();
    const bool moved = m_qryItem->RecNo() != recNo;
    const bool startsGroup = moved && !m_qryItem->Eof() &&
                             m_qryItem->FieldByName("ModInPrj").AsInteger() != current;
    if (moved)
        m_qryItem->Prior();
    return startsGroup;
}

void TFrm_MainReaderPack::ApplyItemEnabling(TFrame_CheckItem& row, std::int32_t modInPrj) {
    if (!IsAdministrator() && !OpenProjectSerial().empty()) {
        std::string accountBook;
        GetSelectedAccountBookId(accountBook);
        if (modInPrj == ModuleNeedsAccountBook && (accountBook.empty() || accountBook == "-1")) {
            row.cSelectItem().SetEnabled(false);
            row.bView().SetEnabled(false);
        }
        return;
    }
    const bool enabled = modInPrj <= ModuleFree;
    row.cSelectItem().SetEnabled(enabled);
    row.bView().SetEnabled(enabled);
}

std::vector<TFrame_CheckItem*> TFrm_MainReaderPack::Rows() const {
    std::vector<TFrame_CheckItem*> rows;
    for (int i = 0; i < m_sc->ControlCount(); ++i)
        if (auto* row = dynamic_cast<TFrame_CheckItem*>(m_sc->Controls(i)))
            rows.push_back(row);
    return rows;
}

void TFrm_MainReaderPack::CheckItemsByCaption(const std::string& captions) {
    rtl::TStringList wanted;
    wanted.SetCommaText(captions);
    for (TFrame_CheckItem* row : Rows()) {
        lu::TLuCheckBox& check = row->cSelectItem();
        if (check.Enabled() && wanted.IndexOf(check.Caption()) >= 0)
            check.SetChecked(true);
    }
}

void TFrm_MainReaderPack::BtnSelAllClick(framework::TObject*) {
    const bool checkAll = m_btnSelAll->Caption() == "全部选择";
    CheckAllItems(checkAll);
    m_btnSelAll->SetCaption(checkAll ? "全部取消" : "全部选择");
}

void TFrm_MainReaderPack::CheckAllItems(bool checked) {
    for (TFrame_CheckItem* row : Rows())
        if (row->cSelectItem().Enabled())
            row->cSelectItem().SetChecked(checked);
}

bool TFrm_MainReaderPack::AnyItemChecked() const {
    for (const TFrame_CheckItem* row : Rows())
        if (row->cSelectItem().Checked())
            return true;
    return false;
}

bool TFrm_MainReaderPack::IsItemChecked(const std::string& caption) const {
    for (const TFrame_CheckItem* row : Rows())
        if (row->cSelectItem().Checked() && row->cSelectItem().Caption() == caption)
            return true;
    return false;
}

std::int32_t TFrm_MainReaderPack::CheckedProjectParts() const {
    bool materials = false;
    for (const TFrame_CheckItem* row : Rows()) {
        if (!row->cSelectItem().Checked())
            continue;
        if (row->cSelectItem().Caption() == ProjectInfoItem)
            return ProjectInformation;
        materials = materials || row->cSelectItem().Caption() == ProjectMaterialsItem;
    }
    return materials ? ProjectMaterialsOnly : NoProjectParts;
}

// --- Steps ---

void TFrm_MainReaderPack::btnHorzNextClick(framework::TObject*) {
    RunStep(rtl::Trim(m_btnHorzNext->Caption()));
}

void TFrm_MainReaderPack::RunStep(const std::string& caption) {
    if (caption == ExportCaption) {
        ExportPackage();
    } else if (caption == NextCaption) {
        if (AnyItemChecked())
            MoveStep(false, Forward);
        else
            ShowInfo("请选择导出的信息！");
    }
}

void TFrm_MainReaderPack::btnHorzPrevClick(framework::TObject*) {
    if (OnModuleTabsPage() && m_pageInfo->GetActivePageIndex() == EdgeVisibleTab(0)) {
        MoveStep(true, 0);
        UpdateStepButtons();
    } else {
        MoveStep(false, 0);
    }
}

bool TFrm_MainReaderPack::OnModuleTabsPage() const {
    return m_pageSelectItem->GetActivePageIndex() == ModuleTabsPage;
}

void TFrm_MainReaderPack::MoveStep(bool showList, std::int32_t direction) {
    try {
        if (direction == Forward)
            MoveForward(showList);
        else
            MoveBackward(showList, direction);
    } catch (...) {
        // The wizard's two pages never show a tab strip, whatever happened.
        m_pageSelectItem->HideAllTabs();
        throw;
    }
    m_pageSelectItem->HideAllTabs();
}

void TFrm_MainReaderPack::MoveForward(bool showList) {
    if (OnModuleTabsPage()) {
        const int last = EdgeVisibleTab(Forward);
        if (m_pageInfo->GetActivePageIndex() != last)
            m_pageInfo->SetActivePageIndex(NextVisibleTab(m_pageInfo->GetActivePageIndex() + 1, Forward));
        SetNextButton(m_pageInfo->GetActivePageIndex() == EdgeVisibleTab(Forward));
        return;
    }
    BuildModuleTabs();
    m_tabFirst->SetTabVisible(showList);
    m_tabSecond->SetTabVisible(!showList);
    m_pageSelectItem->SetActivePageIndex(ModuleTabsPage);
}

void TFrm_MainReaderPack::MoveBackward(bool showList, std::int32_t direction) {
    if (!OnModuleTabsPage())
        return;
    if (m_pageInfo->GetActivePageIndex() == EdgeVisibleTab(0)) {
        m_tabFirst->SetTabVisible(showList);
        m_tabSecond->SetTabVisible(!showList);
        m_pageSelectItem->SetActivePageIndex(direction);
        return;
    }
    m_pageInfo->SetActivePageIndex(NextVisibleTab(m_pageInfo->GetActivePageIndex() - 1, -1));
    if (m_pageInfo->GetActivePageIndex() == EdgeVisibleTab(0) && m_listShown == 0) {
        // Port mode has no module list to go back to.
        m_btnHorzPrev->SetVisible(false);
        return;
    }
    SetNextButton(false);
}

int TFrm_MainReaderPack::EdgeVisibleTab(std::int32_t direction) const {
    const int count = m_pageInfo->GetPageCount();
    if (direction == Forward) {
        for (int i = count - 1; i >= 0; --i)
            if (m_pageInfo->GetPage(i)->TabVisible())
                return i;
    } else {
        for (int i = 0; i < count; ++i)
            if (m_pageInfo->GetPage(i)->TabVisible())
                return i;
    }
    return count;
}

int TFrm_MainReaderPack::NextVisibleTab(int start, std::int32_t direction) const {
    const int edge = EdgeVisibleTab(direction);
    if (direction == Forward) {
        for (int i = start; i <= edge && i < m_pageInfo->GetPageCount(); ++i)
            if (m_pageInfo->GetPage(i)->TabVisible())
                return i;
    } else {
        for (int i = start; i >= edge && i >= 0; --i)
            if (i < m_pageInfo->GetPageCount() && m_pageInfo->GetPage(i)->TabVisible())
                return i;
    }
    return edge;
}

std::vector<ExportModuleTab> TFrm_MainReaderPack::VisibleModuleTabs() const {
    std::vector<ExportModuleTab> tabs;
    for (int i = 0; i < m_pageInfo->GetPageCount(); ++i) {
        const lu::TLuTabSheet& tab = *m_pageInfo->GetPage(i);
        if (tab.TabVisible())
            tabs.push_back({tab.Caption(), static_cast<std::int32_t>(tab.Tag()), tab.Hint()});
    }
    return tabs;
}

std::string TFrm_MainReaderPack::FirstPageCaption() const {
    return m_pageInfo->GetPage(0)->Caption();
}

void TFrm_MainReaderPack::SetFirstPageCaption(const std::string& caption) {
    m_pageInfo->GetPage(0)->SetCaption(caption);
}

void TFrm_MainReaderPack::CloseWizard() {
    if (Frm_MainReaderPack)
        Frm_MainReaderPack->Close();
}

void TFrm_MainReaderPack::ExportPackage() {
    tarnwick::ExportPackage(*this);
}

int TFrm_MainReaderPack::VisibleTabCount() const {
    int visible = 0;
    for (int i = 0; i < m_pageInfo->GetPageCount(); ++i)
        visible += m_pageInfo->GetPage(i)->TabVisible() ? 1 : 0;
    return visible;
}

std::int32_t TFrm_MainReaderPack::CountVisibleTabs() const {
    return VisibleTabCount();
}

void TFrm_MainReaderPack::BuildModuleTabs() {
    const std::vector<TFrame_CheckItem*> rows = Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* tab = dynamic_cast<lu::TLuTabSheet*>(m_pageInfo->FindComponent("ItemTab" + std::to_string(i)));
        if (rows[i]->cSelectItem().Checked()) {
            // A page built once stays as its module left it; the module is not asked again.
            if (tab)
                tab->SetTabVisible(true);
            else
                ShowModuleTab(*rows[i], static_cast<int>(i));
        } else if (tab) {
            tab->SetTabVisible(false);
        }
    }
    if (m_pageInfo->GetPageCount() > 0)
        m_pageInfo->SetActivePageIndex(EdgeVisibleTab(0));
}

void TFrm_MainReaderPack::ShowModuleTab(TFrame_CheckItem& row, int index) {
    auto* tab = new lu::TLuTabSheet(m_pageInfo);
    tab->SetName("ItemTab" + std::to_string(index));
    tab->SetTag(row.EntryID());
    tab->SetHint(row.ModDllFile());
    tab->SetCaption(row.cSelectItem().Caption());
    tab->SetHelpKeyword(row.ModMemo());
    tab->SetPageControl(m_pageInfo);
    tab->SetTabVisible(true);
    CallModuleExportProc(tab->Hint(), static_cast<std::int32_t>(tab->Tag()), tab);
}

void TFrm_MainReaderPack::PageInfoChange(framework::TObject*) {
    if (OnModuleTabsPage())
        SetNextButton(m_pageInfo->GetActivePageIndex() == EdgeVisibleTab(Forward));
    UpdateStepButtons();
}

void TFrm_MainReaderPack::PageSelectItemChange(framework::TObject*) {
    UpdateStepButtons();
}

void TFrm_MainReaderPack::UpdateStepButtons() {
    if (!OnModuleTabsPage()) {
        m_btnSelAll->SetVisible(true);
        m_btnHorzPrev->SetVisible(false);
        SetNextButton(false);
        SetNoteText(IsAdministrator()                ? NoteAdministrator
                    : OpenProjectSerial().empty()    ? NoteNoProject
                                                     : NoteDefault);
        return;
    }
    m_btnSelAll->SetVisible(false);
    m_btnHorzPrev->SetVisible(true);
    if (VisibleTabCount() == 1)
        SetNextButton(true);
    const int active = m_pageInfo->GetActivePageIndex();
    if (active >= 0 && active < m_pageInfo->GetPageCount())
        SetNoteText(NoteModuleMemo, m_pageInfo->GetPage(active)->HelpKeyword());
}

void TFrm_MainReaderPack::SetNextButton(bool exportNext) {
    m_btnHorzNext->SetCaption(exportNext ? ExportCaption : NextCaption);
    m_btnHorzNext->SetImageIndex(exportNext ? ExportImage : NextImage);
}

void TFrm_MainReaderPack::SetNoteText(std::int32_t kind, const std::string& text) {
    m_luLabel1->SetCaption(NoteText(kind, text));
}

// --- The package-name dialog ---

bool TFrm_MainReaderPack::AskPackageNameAndMemo(std::string& name, std::string& memo) {
    return tarnwick::AskPackageNameAndMemo(name, memo);
}

namespace {
[[maybe_unused]] const auto registerForm =
    framework::RegisterClass<TFrm_MainReaderPack, framework::TForm>("TFrm_MainReaderPack")
        .Handler("FormShow", &TFrm_MainReaderPack::FormShow)
        .Handler("FormClose", &TFrm_MainReaderPack::FormClose)
        .Handler("btnHorzNextClick", &TFrm_MainReaderPack::btnHorzNextClick)
        .Handler("btnHorzPrevClick", &TFrm_MainReaderPack::btnHorzPrevClick)
        .Handler("PageSelectItemChange", &TFrm_MainReaderPack::PageSelectItemChange)
        .Handler("PageInfoChange", &TFrm_MainReaderPack::PageInfoChange)
        .Handler("BtnSelAllClick", &TFrm_MainReaderPack::BtnSelAllClick);
} // namespace

} // namespace tarnwick
