#pragma once

#include "platform/ado/ADOConnection.h"
#include "tests/platform/rtl/TempFolder.h"

#include <string>

// A fresh database file in a scratch folder, with an open connection to it.
class TestDatabase {
public:
    TestDatabase() {
        m_connection.SetDatabaseFile(m_folder.Path() + "base.db");
        m_connection.SetCreateIfMissing(true);
        m_connection.Open();
    }

    ado::TADOConnection& Connection() { return m_connection; }
    std::string Path(const std::string& name) const { return m_folder.Path() + name; }

    void CreatePackMod() {
        m_connection.Execute(
            "create table Vek_PackMod(ModGUID text primary key, ModCaption text, ModDllFile text,"
            " EntryID integer, ModMemo text, ModInPrj text, ModCheck integer, ModIndex integer);"
            "insert into Vek_PackMod values('{A1}', '项目信息', 'Mod\\PrjInfo.dll', 11,"
            " '项目的基本信息', '1', -1, 2);"
            "insert into Vek_PackMod values('{B2}', '项目资料', 'Mod\\PrjRes.dll', 12,"
            " 'memo', '1', 0, 1);"
            "insert into Vek_PackMod values('{C3}', 'Bob''s module', 'Mod\\Bob.dll', 13,"
            " null, '2', -1, 3);");
    }

private:
    TempFolder m_folder;
    ado::TADOConnection m_connection;
};
