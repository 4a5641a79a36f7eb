#pragma once

#include "platform/sharemem/ShareMem.h"

#include <cstddef>
#include <cstdint>

namespace tarnwick {

using TDateTime = double;
using Text = sharemem::CountedText;

// The host's record of one project, filled by VekLoadPrj. It crosses the library boundary, so its
// field sequence is fixed. On a 32-bit target the record is 224 bytes with the offsets noted below;
// on 64-bit targets the same sequence holds with pointer-sized text fields (the offsets then grow).
// The fields up to STATTARGEID are the PrjInfo attributes, in the same order.
struct TVekPrjInfo {
    Text PrjID;                      // 0x00
    Text PrjName;                    // 0x04
    Text PrjReportOrgan;             // 0x08
    Text AuditContent;               // 0x0C
    Text PrjExecuteOrganID;          // 0x10
    Text PrjExecuteOrgan;            // 0x14
    Text AuditStyle;                 // 0x18
    Text PrjLevel;                   // 0x1C
    Text PrjClass;                   // 0x20
    Text SpecialClass;               // 0x24
    Text OrgFunction;                // 0x28
    std::int32_t Alignment2C = 0;    // 0x2C
    TDateTime PlanExecStartDate = 0; // 0x30
    TDateTime PlanExecEndDate = 0;   // 0x38
    std::int32_t ValidWorkDays = 0;  // 0x40
    std::int32_t PrjPersonsQuantity = 0; // 0x44
    Text AuditArea;                  // 0x48
    std::int32_t IsLeaderGive = 0;   // 0x4C
    std::int32_t IsGranted = 0;      // 0x50
    std::int32_t IsReport = 0;       // 0x54
    Text ProjectRely;                // 0x58
    Text AuditObject;                // 0x5C
    Text AuditEmphasis;              // 0x60
    Text ReMark;                     // 0x64
    Text AuditedCorpID;              // 0x68
    Text AuditedCorpName;            // 0x6C
    TDateTime LastAuditDate = 0;     // 0x70
    Text LastAuditOrg;               // 0x78
    Text AuthorizedField;            // 0x7C
    Text SupervisorOrg;              // 0x80
    Text AuditSpan;                  // 0x84
    std::int32_t IsIndividual = 0;   // 0x88
    Text STATTARGENAME;              // 0x8C
    Text STATTARGEID;                // 0x90

    // From here on the record belongs to the host.
    std::int32_t HostWord94 = 0;            // 0x94
    std::int32_t HostWord98 = 0;            // 0x98
    std::int32_t HostWord9C = 0;            // 0x9C
    Text HostPrjExecuteOrgan;               // 0xA0
    Text HostOrgFunction;                   // 0xA4
    std::int32_t HostPrjPersonsQuantity = 0; // 0xA8
    Text HostAuditArea;                     // 0xAC
    Text HostReMark;                        // 0xB0
    Text HostTextB4;                        // 0xB4
    Text HostAuthorizedField;               // 0xB8
    Text HostSupervisorOrg;                 // 0xBC
    Text HostAuditSpan;                     // 0xC0
    std::int32_t HostIsIndividual = 0;      // 0xC4
    Text HostAuditedCorpName;               // 0xC8
    std::int32_t HostWordCC = 0;            // 0xCC
    TDateTime HostLastAuditDate = 0;        // 0xD0
    Text HostTextD8;                        // 0xD8
    std::int32_t HostWordDC = 0;            // 0xDC
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(TVekPrjInfo) == 224);
static_assert(offsetof(TVekPrjInfo, Alignment2C) == 0x2C);
static_assert(offsetof(TVekPrjInfo, PlanExecStartDate) == 0x30);
static_assert(offsetof(TVekPrjInfo, AuditArea) == 0x48);
static_assert(offsetof(TVekPrjInfo, LastAuditDate) == 0x70);
static_assert(offsetof(TVekPrjInfo, STATTARGEID) == 0x90);
static_assert(offsetof(TVekPrjInfo, HostPrjExecuteOrgan) == 0xA0);
static_assert(offsetof(TVekPrjInfo, HostAuditedCorpName) == 0xC8);
static_assert(offsetof(TVekPrjInfo, HostLastAuditDate) == 0xD0);
static_assert(offsetof(TVekPrjInfo, HostTextD8) == 0xD8);
static_assert(offsetof(TVekPrjInfo, HostWordDC) == 0xDC);
#endif
static_assert(sizeof(Text) == sizeof(void*), "a text field is one counted-text pointer");

// Empties a record before it is filled from a package. The host's copies of leading fields receive
// those fields' (now empty) values; the alignment word and 0xCC, 0xD8 and 0xDC keep their contents.
void ResetPrjInfoRecord(TVekPrjInfo& rec);

} // namespace tarnwick
