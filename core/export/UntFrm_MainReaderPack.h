#pragma once

#include "core/export/ExportRun.h"

#include "platform/framework/Forms.h"

#include <cstdint>
#include <string>
#include <vector>

namespace framework {
class TBevel;
class TCustomImageList;
class TScrollBox;
} // namespace framework
namespace ado {
class TADOQuery;
}
namespace lu {
class TLuBitBtn;
class TLuGroupBox;
class TLuLabel;
class TLuPageControl;
class TLuPanel;
class TLuTabSheet;
} // namespace lu

namespace tarnwick {

class TFrame_CheckItem;

// What a module row's ModInPrj says about the project it needs.
inline constexpr std::int32_t ModuleFree = 0;
inline constexpr std::int32_t ModuleNeedsAccountBook = 2;

// The kinds of note the wizard shows above its pages; any other kind shows the text given.
inline constexpr std::int32_t NoteDefault = -3;
inline constexpr std::int32_t NoteAdministrator = -2;
inline constexpr std::int32_t NoteNoProject = -1;
inline constexpr std::int32_t NoteModuleMemo = 0;

// The export wizard: the module list, then one module tab per checked module, built by the module's
// library, and the export run on the last tab.
class TFrm_MainReaderPack : public framework::TForm, public ExportRunWizard {
public:
    explicit TFrm_MainReaderPack(framework::TComponent* owner);

    std::uint8_t PortMode() const { return m_portMode; }
    void SetPortMode(std::uint8_t value) { m_portMode = value; }
    std::uint8_t ListShown() const { return m_listShown; }
    void SetListShown(std::uint8_t value) { m_listShown = value; }
    // Above 0: the resource export, on a wizard that is never shown.
    std::int32_t ResourceMode() const override { return m_resourceMode; }
    void SetResourceMode(std::int32_t value) { m_resourceMode = value; }

    // Event handlers the form resource names.
    void FormShow(framework::TObject* sender);
    void FormClose(framework::TObject* sender, framework::TCloseAction& action);
    void btnHorzNextClick(framework::TObject* sender);
    void btnHorzPrevClick(framework::TObject* sender);
    void PageSelectItemChange(framework::TObject* sender);
    void PageInfoChange(framework::TObject* sender);
    void BtnSelAllClick(framework::TObject* sender);

    // One row per module of Vek_PackMod, each enabled as the user and the open project allow.
    void LoadModuleList();
    // Checks the enabled rows whose captions the comma text names (letter case aside); unchecks none.
    void CheckItemsByCaption(const std::string& captions);
    // "导出" runs the export, "下一步" goes on to the module tabs; any other caption does nothing.
    void RunStep(const std::string& caption);
    // The port mode's look, before the module list is loaded: caption, no note area, height, no
    // module tabs.
    void EnterPortMode();

    // The export run, on this wizard (each build has its own run).
    void ExportPackage();
    std::int32_t CountVisibleTabs() const;

    // What the export run reads and does.
    framework::TCustomForm& Form() override { return *this; }
    std::int32_t CheckedProjectParts() const override;
    bool IsItemChecked(const std::string& caption) const override;
    bool AskPackageNameAndMemo(std::string& name, std::string& memo) override;
    std::vector<ExportModuleTab> VisibleModuleTabs() const override;
    std::string FirstPageCaption() const override;
    void SetFirstPageCaption(const std::string& caption) override;
    void CloseWizard() override;
    std::vector<TFrame_CheckItem*> Rows() const;
    lu::TLuPageControl& PageInfo() const { return *m_pageInfo; }

    void Loaded() override;

private:
    void MoveStep(bool showList, std::int32_t direction);
    void MoveForward(bool showList);
    void MoveBackward(bool showList, std::int32_t direction);
    int NextVisibleTab(int start, std::int32_t direction) const;
    int EdgeVisibleTab(std::int32_t direction) const;
    int VisibleTabCount() const;
    bool OnModuleTabsPage() const;
    void BuildModuleTabs();
    void ShowModuleTab(TFrame_CheckItem& row, int index);
    void UpdateStepButtons();
    void SetNextButton(bool exportNext);
    void SetNoteText(std::int32_t kind, const std::string& text = {});
    bool AnyItemChecked() const;
    void CheckAllItems(bool checked);
    bool NextRowStartsGroup();
    void ApplyItemEnabling(TFrame_CheckItem& row, std::int32_t modInPrj);
    void AddModuleRow(int index, int rowHeight);

    std::uint8_t m_portMode = 0;
    std::uint8_t m_listShown = 0;
    std::int32_t m_resourceMode = 0;

    lu::TLuPanel* m_luPanel3 = nullptr;
    lu::TLuLabel* m_luLabel1 = nullptr;
    lu::TLuBitBtn* m_btnSelAll = nullptr;
    lu::TLuBitBtn* m_btnHorzPrev = nullptr;
    lu::TLuBitBtn* m_btnHorzNext = nullptr;
    lu::TLuPageControl* m_pageSelectItem = nullptr;
    lu::TLuTabSheet* m_tabFirst = nullptr;
    lu::TLuTabSheet* m_tabSecond = nullptr;
    lu::TLuGroupBox* m_gBox = nullptr;
    framework::TScrollBox* m_sc = nullptr;
    lu::TLuPageControl* m_pageInfo = nullptr;
    ado::TADOQuery* m_qryItem = nullptr;
    framework::TCustomImageList* m_imageList1 = nullptr;
};

// The wizard an export has created and not yet freed.
extern TFrm_MainReaderPack* Frm_MainReaderPack;

} // namespace tarnwick
