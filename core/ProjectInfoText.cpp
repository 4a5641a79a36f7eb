#include "core/ProjectInfoText.h"

#include "platform/framework/RichEdit.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Utf8.h"

#include <cmath>
#include <vector>

namespace tarnwick {

namespace {

// The empty date is day 0, whatever time of day it carries and whatever the date format.
bool IsEmptyDate(TDateTime value) {
    return std::trunc(value) == 0;
}

std::string DateText(TDateTime value) {
    return IsEmptyDate(value) ? std::string() : rtl::DateToStr(value);
}

// A date out of range leaves its line empty and spoils no other line.
std::string GuardedDateText(TDateTime value) {
    try {
        return DateText(value);
    } catch (...) {
        return "";
    }
}

std::string NumberText(std::int32_t value) {
    return rtl::IntToStr(value);
}

std::string Line(const char* label, const std::string& value) {
    return std::string("    ") + label + "：" + value + "\r";
}

struct Piece {
    std::string text;
    int size = 0;
    framework::TFontStyles style;
    gdi::TColor color = gdi::clBlack;
};

constexpr int TitleSize = 15;
constexpr int RuleSize = 6;
constexpr int BodySize = 9;
constexpr int RuleBlanks = 86;

// Struck-out blanks draw the rule as a line.
Piece Rule() {
    return {std::string(RuleBlanks, ' ') + "\r", RuleSize, framework::TFontStyles{framework::fsStrikeOut},
            gdi::RGB(0, 0, 255)};
}

std::vector<Piece> Pieces(const TVekPrjInfo& rec) {
    return {
        {"           项目基本信息                    \r", TitleSize, framework::TFontStyles{framework::fsBold},
         gdi::RGB(255, 0, 0)},
        Rule(),
        {BuildProjectInfoText(rec), BodySize, framework::TFontStyles{}, gdi::clBlack},
        Rule(),
    };
}

} // namespace

std::string YesNoText(std::int32_t value) {
    switch (value) {
    case 0:
        return "否";
    case 1:
        return "是";
    default:
        return "";
    }
}

std::string BuildProjectInfoText(const TVekPrjInfo& rec) {
    const auto date = GuardedDateText;
    const auto number = NumberText;
    const auto yesNo = YesNoText;
    return Line("项目编号", rec.PrjID.Str()) + Line("项目名称", rec.PrjName.Str()) +
           Line("填报单位", rec.PrjReportOrgan.Str()) + Line("执行单位编号", rec.PrjExecuteOrganID.Str()) +
           Line("执行单位名称", rec.PrjExecuteOrgan.Str()) + Line("被审计单位地域", rec.AuditArea.Str()) +
           Line("被审计单位编号", rec.AuditedCorpID.Str()) + Line("被审计单位名称", rec.AuditedCorpName.Str()) +
           Line("项目基准人员", number(rec.PrjPersonsQuantity)) + Line("项目级别", rec.PrjLevel.Str()) +
           Line("项目类别", rec.PrjClass.Str()) + Line("审计内容", rec.AuditContent.Str()) +
           Line("专业类别", rec.SpecialClass.Str()) + Line("业务处室职能", rec.OrgFunction.Str()) +
           Line("审计和专项审计调查", rec.AuditStyle.Str()) + Line("项目开始日期", date(rec.PlanExecStartDate)) +
           Line("项目结束日期", date(rec.PlanExecEndDate)) + Line("有效工作日", number(rec.ValidWorkDays)) +
           Line("上次审计时间", date(rec.LastAuditDate)) + Line("上次审计机关", rec.LastAuditOrg.Str()) +
           Line("授权行业", rec.AuthorizedField.Str()) + Line("主监管部门", rec.SupervisorOrg.Str()) +
           Line("审计范围", rec.AuditSpan.Str()) + Line("是否党政领导交办", yesNo(rec.IsLeaderGive)) +
           Line("是否委托", yesNo(rec.IsGranted)) + Line("是否举报", yesNo(rec.IsReport)) +
           Line("是否独立法人", yesNo(rec.IsIndividual)) + Line("立项依据", rec.ProjectRely.Str()) +
           Line("审计目标", rec.AuditObject.Str()) + Line("审计内容、范围和重点", rec.AuditEmphasis.Str()) +
           Line("项目备注", rec.ReMark.Str()) + Line("统计报表类型名称", rec.STATTARGENAME.Str());
}

void ShowProjectInfoText(framework::TCustomRichEdit& richEdit, const TVekPrjInfo& rec) {
    const std::vector<Piece> pieces = Pieces(rec);
    std::string all;
    for (const Piece& piece : pieces)
        all += piece.text;
    richEdit.SetText(all);
    // Selections count the rich edit's positions: one per character, one per CR.
    int start = 0;
    for (const Piece& piece : pieces) {
        const int length = static_cast<int>(rtl::CodePointCount(piece.text));
        richEdit.SetSelStart(start);
        richEdit.SetSelLength(length);
        richEdit.SelAttributes()->SetSize(piece.size);
        richEdit.SelAttributes()->SetStyle(piece.style);
        richEdit.SelAttributes()->SetColor(piece.color);
        start += length;
    }
    richEdit.SetSelLength(0);
}

} // namespace tarnwick
