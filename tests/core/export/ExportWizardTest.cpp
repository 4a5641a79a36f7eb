// The export wizard driven as a person would: the module list, the module tabs the libraries
// build, the steps back and forth, port mode, and the export at the end.

#include "tests/core/export/ExportWizardFixture.h"

#include "core/HostApi.h"
#include "core/export/UntFrame_CheckItem.h"

#include "controls/button/LuBitBtn.h"
#include "controls/checkbox/LuCheckBox.h"
#include "controls/tabs/LuPageControl.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/ExtCtrls.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace tarnwick;

namespace {

const std::string NoteDefaultText =
    "说明：\r\n    1．预览按钮可以预览选择的信息\r\n    2．选择要导出的信息下一步进行信息导出";
const std::string NothingChecked = "请选择导出的信息！";

} // namespace

TEST_F(ExportWizardTest, TheUserExportsTwoModulesThroughTheWizard) {
    framework::TUserScript& script = WizardScript();
    Look(script, [](TFrm_MainReaderPack& w) {
        EXPECT_EQ(w.Caption(), "Velmora 导出向导");
        EXPECT_EQ(w.ClientWidth(), 592);
        EXPECT_EQ(w.ClientHeight(), 501);
        EXPECT_EQ(w.Rows().size(), 5u);
        EXPECT_EQ(Caption(w, "LuLabel1"), NoteDefaultText);
        EXPECT_TRUE(IsVisible(w, "BtnSelAll"));
        EXPECT_FALSE(IsVisible(w, "btnHorzPrev"));
        Picture(w, "01-module-list");
    });
    Check(script, "项目信息");
    Check(script, "系统人员");
    script.Click("btnHorzNext");
    Look(script, [](TFrm_MainReaderPack& w) {
        EXPECT_EQ(VisibleModuleTabs(w), (std::vector<std::string>{"项目信息", "系统人员"}));
        EXPECT_EQ(ShownModuleTab(w), "项目信息");
        EXPECT_EQ(Caption(w, "btnHorzNext"), "下一步");
        EXPECT_EQ(ImageIndex(w, "btnHorzNext"), 0);
        EXPECT_EQ(Caption(w, "LuLabel1"), "项目基本信息");
        EXPECT_FALSE(IsVisible(w, "BtnSelAll"));
        EXPECT_TRUE(IsVisible(w, "btnHorzPrev"));
        Picture(w, "02-module-tab-项目信息");
    });
    script.Click("btnHorzNext");
    Look(script, [](TFrm_MainReaderPack& w) {
        EXPECT_EQ(ShownModuleTab(w), "系统人员");
        EXPECT_EQ(Caption(w, "btnHorzNext"), "导出");
        EXPECT_EQ(ImageIndex(w, "btnHorzNext"), 2);
        Picture(w, "03-module-tab-系统人员");
    });
    script.Click("btnHorzNext");
    framework::ScriptedUser()
        .ScriptFor("TFrmEdtPckFile")
        .Type("EdtName", "年度审计")
        .Type("EdtMemo", "两个模块")
        .Do([](framework::TCustomForm& dialog) {
            EXPECT_EQ(dialog.ClientWidth(), 292);
            EXPECT_EQ(dialog.ClientHeight(), 217);
            Picture(dialog, "04-package-name");
        })
        .Click("btnok");
    ExpectBox("数据打包成功！");
    ShowWizard();

    Picture(framework::DialogService().Records().back(), "05-message");

    ASSERT_EQ(host::PackagesTaken().size(), 1u);
    const std::string package = rtl::ToNativePath(host::PackagesTaken().front().StoredAs);
    const std::vector<std::string> outline = Outline(EntryText(package, "Package.XML"));
    const auto items = std::find(outline.begin(), outline.end(), "ExportItemInfo");
    ASSERT_EQ(outline.end() - items, 3);
    for (int i : {1, 2}) {
        const std::string appFileName = items[i].substr(items[i].find("AppFileName=") + 12);
        const std::vector<std::string> names = EntryNames(package);
        EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                                [&](const std::string& n) { return n.starts_with(rtl::ToNativePath(appFileName)); }))
            << appFileName << " is in the package";
    }
    EXPECT_EQ(NewLogEntries(), Logged({"AllInfoImportPck: 初始化解析文件成功！", "AllInfoImportPck: 数据打包成功！"}));
    EXPECT_TRUE(WorkFolderLeftClear());
    EXPECT_TRUE(host::EveryProcessEnded());
}

TEST_F(ExportWizardTest, RowsShareTheGroupBoxOrTakeFortyTwoPixels) {
    struct Case {
        int rows;
        int spacing;
    };
    for (const Case& c : std::vector<Case>{{8, 45}, {9, 42}, {3, 121}, {0, 0}}) {
        SCOPED_TRACE(c.rows);
        std::vector<ModuleSetup> modules;
        for (int i = 0; i < c.rows; ++i)
            modules.push_back({"模块" + std::to_string(i + 1)});
        SetModules(modules);
        framework::TUserScript& script = WizardScript();
        Look(script, [c](TFrm_MainReaderPack& w) {
            const std::vector<TFrame_CheckItem*> rows = w.Rows();
            ASSERT_EQ(static_cast<int>(rows.size()), c.rows);
            for (int i = 0; i < c.rows; ++i) {
                EXPECT_EQ(rows[i]->Top() - rows[0]->Top(), i * c.spacing);
                EXPECT_EQ(rows[i]->Height(), 40);
            }
        });
        if (c.rows == 0) {
            ExpectBox(NothingChecked);
            script.Click("btnHorzNext");
        }
        script.Click("btnCancel");
        ShowWizard();
    }
}

TEST_F(ExportWizardTest, ASeparatorClosesEachGroupOfRows) {
    SetModules({{"甲", 0}, {"乙", 0}, {"丙", 1}, {"丁", 1}, {"戊", 2}});
    framework::TUserScript& script = WizardScript();
    Look(script, [](TFrm_MainReaderPack& w) {
        std::vector<bool> separators;
        for (const TFrame_CheckItem* row : w.Rows())
            separators.push_back(row->Bevel1().Visible());
        EXPECT_EQ(separators, (std::vector<bool>{false, true, false, true, false}));
    });
    script.Click("btnCancel");
    ShowWizard();
}

TEST_F(ExportWizardTest, WhoMayCheckWhichRows) {
    struct Case {
        const char* who;
        std::string user;
        bool project;
        std::string accountBook;
        std::vector<bool> enabled; // for ModInPrj 0, 1, 2
        std::string note;
    };
    const std::vector<Case> cases = {
        {"the administrator", AdministratorUserId, true, "AB01", {true, false, false}, "说明：\r\n    当前登录人员为Admin用户"},
        {"a member without a project", host::SampleMemberId, false, "AB01", {true, false, false},
         "说明：\r\n    当前没有打开项目"},
        {"a member without an account book", host::SampleMemberId, true, "", {true, true, false}, NoteDefaultText},
        {"a member with account book -1", host::SampleMemberId, true, "-1", {true, true, false}, NoteDefaultText},
        {"a member with an account book", host::SampleMemberId, true, "AB01", {true, true, true}, NoteDefaultText},
    };
    SetModules({{"甲", 0}, {"乙", 1}, {"丙", 2}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.who);
        host::SetCurrentUser(c.user);
        if (c.project)
            host::OpenProject(host::SampleProjectId);
        else
            host::CloseProject();
        host::SetSelectedAccountBook(c.accountBook);
        framework::TUserScript& script = WizardScript();
        Look(script, [c](TFrm_MainReaderPack& w) {
            std::vector<bool> checkBoxes, previews;
            for (const TFrame_CheckItem* row : w.Rows()) {
                checkBoxes.push_back(row->cSelectItem().Enabled());
                previews.push_back(row->bView().Enabled());
            }
            EXPECT_EQ(checkBoxes, c.enabled);
            EXPECT_EQ(previews, c.enabled);
            EXPECT_EQ(Caption(w, "LuLabel1"), c.note);
        });
        // A disabled row does not take the click.
        script.Do([](framework::TCustomForm& form) {
            framework::TUserAction click;
            click.kind = framework::TUserActionKind::Click;
            click.control = Row(dynamic_cast<TFrm_MainReaderPack&>(form), "丙").Name() + ".cSelectItem";
            form.PerformUserAction(click);
        });
        Look(script, [c](TFrm_MainReaderPack& w) { EXPECT_EQ(Row(w, "丙").cSelectItem().Checked(), c.enabled[2]); });
        script.Click("btnCancel");
        ShowWizard();
    }
}

TEST_F(ExportWizardTest, SelectAllChecksOnlyEnabledRowsAndTurnsIntoDeselectAll) {
    host::CloseProject();
    SetModules({{"甲", 0}, {"乙", 1}, {"丙", 0}});
    const auto checked = [](TFrm_MainReaderPack& w) {
        std::vector<bool> states;
        for (const TFrame_CheckItem* row : w.Rows())
            states.push_back(row->cSelectItem().Checked());
        return states;
    };
    framework::TUserScript& script = WizardScript();
    script.Click("BtnSelAll");
    Look(script, [&](TFrm_MainReaderPack& w) {
        EXPECT_EQ(checked(w), (std::vector<bool>{true, false, true}));
        EXPECT_EQ(Caption(w, "BtnSelAll"), "全部取消");
    });
    script.Click("BtnSelAll");
    Look(script, [&](TFrm_MainReaderPack& w) {
        EXPECT_EQ(checked(w), (std::vector<bool>{false, false, false}));
        EXPECT_EQ(Caption(w, "BtnSelAll"), "全部选择");
    });
    script.Click("btnCancel");
    ShowWizard();
}

TEST_F(ExportWizardTest, StepsThroughTheModuleTabsAndBack) {
    InstallTestModule();
    SetModules({{"甲", 0, 11, "Mods\\TestModule.dll", "甲的说明"},
                {"乙", 0, 12, "Mods\\TestModule.dll", "乙的说明"},
                {"丙", 0, 13, "Mods\\TestModule.dll", "丙的说明"}});
    const auto exportProcs = [this] {
        std::vector<std::int32_t> ids;
        for (const TestModuleCall& call : TestModuleCalls())
            if (call.Entry == "VekPackage_ExportProc")
                ids.push_back(call.EntryId);
        return ids;
    };
    framework::TUserScript& script = WizardScript();
    // One checked module: the only tab exports at once.
    Check(script, "乙");
    script.Click("btnHorzNext");
    Look(script, [&](TFrm_MainReaderPack& w) {
        EXPECT_EQ(VisibleModuleTabs(w), std::vector<std::string>{"乙"});
        EXPECT_EQ(Caption(w, "btnHorzNext"), "导出");
        EXPECT_EQ(Caption(w, "LuLabel1"), "乙的说明");
    });
    script.Click("btnHorzPrev");
    // Three: "下一步" until the third tab is shown.
    Check(script, "甲");
    Check(script, "丙");
    script.Click("btnHorzNext");
    Look(script, [&](TFrm_MainReaderPack& w) {
        EXPECT_EQ(VisibleModuleTabs(w), (std::vector<std::string>{"乙", "甲", "丙"}));
        EXPECT_EQ(ShownModuleTab(w), "乙");
        EXPECT_EQ(Caption(w, "btnHorzNext"), "下一步");
    });
    script.Click("btnHorzNext");
    Look(script, [&](TFrm_MainReaderPack& w) {
        EXPECT_EQ(ShownModuleTab(w), "甲");
        EXPECT_EQ(Caption(w, "btnHorzNext"), "下一步");
    });
    script.Click("btnHorzNext");
    Look(script, [&](TFrm_MainReaderPack& w) {
        EXPECT_EQ(ShownModuleTab(w), "丙");
        EXPECT_EQ(Caption(w, "btnHorzNext"), "导出");
    });
    // Back to the list, uncheck one and go on: its tab is hidden, no library is asked again.
    script.Click("btnHorzPrev").Click("btnHorzPrev").Click("btnHorzPrev");
    Look(script, [&](TFrm_MainReaderPack& w) {
        EXPECT_EQ(w.Rows().size(), 3u);
        EXPECT_TRUE(IsVisible(w, "BtnSelAll"));
        EXPECT_EQ(Caption(w, "btnHorzNext"), "下一步");
    });
    Check(script, "甲", false);
    script.Click("btnHorzNext");
    Look(script, [&](TFrm_MainReaderPack& w) {
        EXPECT_EQ(VisibleModuleTabs(w), (std::vector<std::string>{"乙", "丙"}));
        EXPECT_EQ(exportProcs(), (std::vector<std::int32_t>{12, 11, 13}));
    });
    script.Click("btnCancel");
    // A library that fails to let go of its page does not keep the others from it.
    setenv("TESTMODULE_VekPackage_Free", "raise", 1);
    ShowWizard();
    unsetenv("TESTMODULE_VekPackage_Free");

    // Closing released every module page, last first.
    std::vector<std::pair<std::int32_t, int>> freed;
    for (const TestModuleCall& call : TestModuleCalls())
        if (call.Entry == "VekPackage_Free")
            freed.emplace_back(call.EntryId, call.Closing);
    EXPECT_EQ(freed, (std::vector<std::pair<std::int32_t, int>>{{13, 1}, {11, 1}, {12, 1}}));
}

TEST_F(ExportWizardTest, PortModeOpensOnTheModuleTabsWithoutAWayBack) {
    InstallTestModule();
    SetModules({{"甲", 0, 11, "Mods\\TestModule.dll"}, {"乙", 0, 12, "Mods\\TestModule.dll"}});
    framework::TUserScript& script = WizardScript();
    Look(script, [](TFrm_MainReaderPack& w) {
        EXPECT_EQ(w.Caption(), "Velmora 导出");
        EXPECT_EQ(w.Height(), 480);
        EXPECT_FALSE(IsVisible(w, "LuPanel3"));
        EXPECT_FALSE(IsVisible(w, "btnHorzPrev"));
        EXPECT_EQ(VisibleModuleTabs(w), (std::vector<std::string>{"甲", "乙"}));
        EXPECT_EQ(ShownModuleTab(w), "甲");
        Picture(w, "06-port-mode");
    });
    script.Click("btnHorzNext");
    Look(script, [](TFrm_MainReaderPack& w) {
        EXPECT_EQ(ShownModuleTab(w), "乙");
        EXPECT_TRUE(IsVisible(w, "btnHorzPrev"));
    });
    script.Click("btnHorzPrev");
    Look(script, [](TFrm_MainReaderPack& w) {
        EXPECT_EQ(ShownModuleTab(w), "甲");
        EXPECT_FALSE(IsVisible(w, "btnHorzPrev"));
    });
    script.Click("btnCancel");
    EXPECT_EQ(ShowWizardInPortMode("\"甲\", 乙"), framework::mrCancel);

    // Naming no module that can be checked: the message comes first, the wizard opens on the list.
    ExpectBox(NothingChecked);
    framework::TUserScript& list = WizardScript();
    Look(list, [](TFrm_MainReaderPack& w) {
        EXPECT_EQ(w.Rows().size(), 2u);
        EXPECT_FALSE(Row(w, "甲").cSelectItem().Checked());
        EXPECT_EQ(w.PageInfo().GetPageCount(), 0);
    });
    list.Click("btnCancel");
    EXPECT_EQ(ShowWizardInPortMode("丁"), framework::mrCancel);
}
