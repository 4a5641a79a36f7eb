#include "core/ProjectInfoText.h"

#include "controls/edit/LuRichEdit.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace tarnwick;

namespace {

TVekPrjInfo FilledRecord() {
    TVekPrjInfo rec;
    rec.PrjID = "XM2026001";
    rec.PrjName = "财务收支审计";
    rec.PrjReportOrgan = "北岭市审计局";
    rec.PrjExecuteOrganID = "ORG001";
    rec.PrjExecuteOrgan = "第一审计处";
    rec.AuditArea = "北岭市";
    rec.AuditedCorpID = "CORP-1";
    rec.AuditedCorpName = "水务集团";
    rec.PrjPersonsQuantity = 3;
    rec.PrjLevel = "市级";
    rec.PrjClass = "财政审计";
    rec.AuditContent = "财务收支";
    rec.SpecialClass = "无";
    rec.OrgFunction = "监督";
    rec.AuditStyle = "就地审计";
    rec.PlanExecStartDate = 46023;   // 2026-01-01
    rec.PlanExecEndDate = 46053.5;   // 2026-01-31, noon
    rec.ValidWorkDays = 22;
    rec.LastAuditDate = 45292;       // 2024-01-01
    rec.LastAuditOrg = "北岭市审计局";
    rec.AuthorizedField = "全部";
    rec.SupervisorOrg = "国资委";
    rec.AuditSpan = "2025年度";
    rec.IsLeaderGive = 1;
    rec.IsGranted = 0;
    rec.IsReport = 1;
    rec.IsIndividual = 0;
    rec.ProjectRely = "审计法";
    rec.AuditObject = "水务集团";
    rec.AuditEmphasis = "内部控制";
    rec.ReMark = "备注";
    rec.STATTARGENAME = "统计目标";
    rec.STATTARGEID = "ST01";
    return rec;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    EXPECT_EQ(line, "") << "text after the last CR";
    return lines;
}

TEST(ProjectInfoText, OneLabelledLinePerFieldInOrder) {
    const std::string text = BuildProjectInfoText(FilledRecord());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    const std::vector<std::string> expected = {
        "    项目编号：XM2026001",         "    项目名称：财务收支审计",
        "    填报单位：北岭市审计局",      "    执行单位编号：ORG001",
        "    执行单位名称：第一审计处",    "    被审计单位地域：北岭市",
        "    被审计单位编号：CORP-1",      "    被审计单位名称：水务集团",
        "    项目基准人员：3",             "    项目级别：市级",
        "    项目类别：财政审计",          "    审计内容：财务收支",
        "    专业类别：无",                "    业务处室职能：监督",
        "    审计和专项审计调查：就地审计", "    项目开始日期：2026-01-01",
        "    项目结束日期：2026-01-31",    "    有效工作日：22",
        "    上次审计时间：2024-01-01",    "    上次审计机关：北岭市审计局",
        "    授权行业：全部",              "    主监管部门：国资委",
        "    审计范围：2025年度",          "    是否党政领导交办：是",
        "    是否委托：否",                "    是否举报：是",
        "    是否独立法人：否",            "    立项依据：审计法",
        "    审计目标：水务集团",          "    审计内容、范围和重点：内部控制",
        "    项目备注：备注",              "    统计报表类型名称：统计目标",
    };
    EXPECT_EQ(Lines(text), expected);
    EXPECT_EQ(text.find("ST01"), std::string::npos);
}

TEST(ProjectInfoText, ValuesThatShowEmpty) {
    TVekPrjInfo rec = FilledRecord();
    rec.PlanExecStartDate = 0;
    rec.PlanExecEndDate = 0;
    rec.LastAuditDate = 1e300; // out of range
    rec.IsReport = 2;
    rec.IsGranted = -1;
    rec.ValidWorkDays = 0;
    const std::vector<std::string> lines = Lines(BuildProjectInfoText(rec));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[15], "    项目开始日期：");
    EXPECT_EQ(lines[16], "    项目结束日期：");
    EXPECT_EQ(lines[18], "    上次审计时间：");
    EXPECT_EQ(lines[17], "    有效工作日：0");
    EXPECT_EQ(lines[24], "    是否委托：");
    EXPECT_EQ(lines[25], "    是否举报：");
    EXPECT_EQ(lines[19], "    上次审计机关：北岭市审计局") << "the lines after a bad date are still built";

    EXPECT_EQ(YesNoText(0), "否");
    EXPECT_EQ(YesNoText(1), "是");
    EXPECT_EQ(YesNoText(2), "");
}

TEST(ProjectInfoText, TheZeroDateIsEmptyInEveryDateFormat) {
    const rtl::TFormatSettings saved = rtl::FormatSettings();
    rtl::TFormatSettings dayFirst = saved;
    dayFirst.ShortDateFormat = "dd/mm/yyyy";
    dayFirst.DateSeparator = '/';
    rtl::SetFormatSettings(dayFirst);
    TVekPrjInfo rec;
    rec.PlanExecEndDate = 46023;
    rec.LastAuditDate = 0.75; // day 0 with a time of day
    const std::vector<std::string> lines = Lines(BuildProjectInfoText(rec));
    rtl::SetFormatSettings(saved);
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[15], "    项目开始日期：");
    EXPECT_EQ(lines[16], "    项目结束日期：01/01/2026");
    EXPECT_EQ(lines[18], "    上次审计时间：");
}

class ProjectInfoDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        m_form = std::make_unique<framework::TForm>(nullptr);
        m_form->SetBounds(0, 0, 400, 500);
        m_edit = new lu::TLuRichEdit(m_form.get());
        m_edit->SetParent(m_form.get());
        m_edit->SetBounds(0, 0, 380, 480);
    }
    std::unique_ptr<framework::TForm> m_form;
    lu::TLuRichEdit* m_edit = nullptr;
};

TEST_F(ProjectInfoDisplay, EachPieceHasItsOwnLook) {
    m_edit->SetText("earlier text");
    ShowProjectInfoText(*m_edit, FilledRecord());

    const std::string text = m_edit->Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 35);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    const std::string title = "           项目基本信息                    \r";
    const std::string rule = std::string(86, ' ') + "\r";
    EXPECT_EQ(text, title + rule + BuildProjectInfoText(FilledRecord()) + rule);

    const framework::TRichText& rich = m_edit->Rich();
    const int titleLength = 11 + 6 + 20 + 1;
    const int bodyStart = titleLength + 87;
    const int length = rich.Length();
    struct Expect {
        int position;
        int size;
        bool bold;
        bool struck;
        gdi::TColor color;
    };
    const Expect expects[] = {
        {0, 15, true, false, gdi::RGB(255, 0, 0)},
        {titleLength - 1, 15, true, false, gdi::RGB(255, 0, 0)},
        {titleLength, 6, false, true, gdi::RGB(0, 0, 255)},
        {bodyStart - 1, 6, false, true, gdi::RGB(0, 0, 255)},
        {bodyStart, 9, false, false, gdi::RGB(0, 0, 0)},
        {length - 88, 9, false, false, gdi::RGB(0, 0, 0)},
        {length - 87, 6, false, true, gdi::RGB(0, 0, 255)},
        {length - 1, 6, false, true, gdi::RGB(0, 0, 255)},
    };
    for (const Expect& e : expects) {
        SCOPED_TRACE(e.position);
        const framework::TRichAttributes a = rich.AttributesAt(e.position);
        EXPECT_EQ(a.Size, e.size);
        EXPECT_EQ(a.Bold, e.bold);
        EXPECT_EQ(a.StrikeOut, e.struck);
        EXPECT_EQ(a.Color, e.color);
    }
    EXPECT_EQ(m_edit->SelLength(), 0);
}

} // namespace
