#include "core/VekPrjInfo.h"

namespace tarnwick {

void ResetPrjInfoRecord(TVekPrjInfo& rec) {
    for (Text* t : {&rec.PrjID, &rec.PrjName, &rec.PrjReportOrgan, &rec.AuditContent, &rec.PrjExecuteOrganID,
                    &rec.PrjExecuteOrgan, &rec.AuditStyle, &rec.PrjLevel, &rec.PrjClass, &rec.SpecialClass,
                    &rec.OrgFunction, &rec.AuditArea, &rec.ProjectRely, &rec.AuditObject, &rec.AuditEmphasis,
                    &rec.ReMark, &rec.AuditedCorpID, &rec.AuditedCorpName, &rec.LastAuditOrg,
                    &rec.AuthorizedField, &rec.SupervisorOrg, &rec.AuditSpan, &rec.STATTARGENAME,
                    &rec.STATTARGEID})
        *t = Text();
    rec.PlanExecStartDate = 0;
    rec.PlanExecEndDate = 0;
    rec.ValidWorkDays = 0;
    rec.PrjPersonsQuantity = 0;
    rec.IsLeaderGive = 0;
    rec.IsGranted = 0;
    rec.IsReport = 0;
    rec.LastAuditDate = 0;
    rec.IsIndividual = 0;
    rec.HostWord94 = rec.HostWord98 = rec.HostWord9C = 0;

    rec.HostPrjExecuteOrgan = rec.PrjExecuteOrgan;
    rec.HostOrgFunction = rec.OrgFunction;
    rec.HostPrjPersonsQuantity = rec.PrjPersonsQuantity;
    rec.HostAuditArea = rec.AuditArea;
    rec.HostReMark = rec.ReMark;
    rec.HostTextB4 = Text();
    rec.HostAuthorizedField = rec.AuthorizedField;
    rec.HostSupervisorOrg = rec.SupervisorOrg;
    rec.HostAuditSpan = rec.AuditSpan;
    rec.HostIsIndividual = rec.IsIndividual;
    rec.HostAuditedCorpName = rec.AuditedCorpName;
    rec.HostLastAuditDate = rec.LastAuditDate;
}

} // namespace tarnwick
