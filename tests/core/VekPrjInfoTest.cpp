#include "core/VekPrjInfo.h"

#include <gtest/gtest.h>

using tarnwick::Text;
using tarnwick::TVekPrjInfo;

TEST(ResetPrjInfoRecord, EmptiesTheFieldsAndKeepsTheHostsOwnParts) {
    TVekPrjInfo rec;
    rec.PrjID = "P-1";
    rec.PrjName = "审计项目";
    rec.PrjExecuteOrgan = "审计局";
    rec.STATTARGEID = "S";
    rec.PlanExecStartDate = 39452.5;
    rec.LastAuditDate = 39000;
    rec.ValidWorkDays = 20;
    rec.PrjPersonsQuantity = 3;
    rec.IsIndividual = 1;
    rec.Alignment2C = 0x2C2C;
    rec.HostWord94 = rec.HostWord98 = rec.HostWord9C = 9;
    rec.HostPrjExecuteOrgan = "old host copy";
    rec.HostTextB4 = "b4";
    rec.HostPrjPersonsQuantity = 7;
    rec.HostLastAuditDate = 1.5;
    rec.HostWordCC = 0xCC;
    rec.HostTextD8 = "kept";
    rec.HostWordDC = 0xDC;

    tarnwick::ResetPrjInfoRecord(rec);

    for (const Text* t : {&rec.PrjID, &rec.PrjName, &rec.PrjExecuteOrgan, &rec.STATTARGEID,
                          &rec.HostPrjExecuteOrgan, &rec.HostTextB4})
        EXPECT_TRUE(t->Empty());
    EXPECT_EQ(rec.PlanExecStartDate, 0);
    EXPECT_EQ(rec.LastAuditDate, 0);
    EXPECT_EQ(rec.ValidWorkDays, 0);
    EXPECT_EQ(rec.PrjPersonsQuantity, 0);
    EXPECT_EQ(rec.IsIndividual, 0);
    EXPECT_EQ(rec.HostWord94 + rec.HostWord98 + rec.HostWord9C, 0);
    EXPECT_EQ(rec.HostPrjPersonsQuantity, 0);
    EXPECT_EQ(rec.HostLastAuditDate, 0);

    EXPECT_EQ(rec.Alignment2C, 0x2C2C);
    EXPECT_EQ(rec.HostWordCC, 0xCC);
    EXPECT_EQ(rec.HostTextD8.Str(), "kept");
    EXPECT_EQ(rec.HostWordDC, 0xDC);
}

TEST(ResetPrjInfoRecord, ReleasesEveryTextItHeld) {
    const std::size_t before = sharemem::LiveBlocks();
    {
        TVekPrjInfo rec;
        rec.AuditArea = "area";
        rec.HostAuditArea = "host area";
        tarnwick::ResetPrjInfoRecord(rec);
        EXPECT_EQ(sharemem::LiveBlocks(), before);
    }
    EXPECT_EQ(sharemem::LiveBlocks(), before);
}
