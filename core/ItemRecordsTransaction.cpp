#include "core/ItemRecordsTransaction.h"

#include "core/BuildTrait.h"
#include "core/HostApi.h"

#include "platform/ado/ADOConnection.h"
#include "platform/ado/DatabaseError.h"

namespace tarnwick {

namespace {

ado::TADOConnection* BaseConnection() {
    try {
        ado::TADOConnection* connection = GetBaseDBConnection();
        return connection && connection->Connected() ? connection : nullptr;
    } catch (...) {
        // The rows then go their own way, each reporting its own failure.
        return nullptr;
    }
}

} // namespace

ItemRecordsTransaction::ItemRecordsTransaction() {
    if constexpr (!BuildTrait::WritesLogEntries && !BuildTrait::WritesOperationRecords)
        return;
    ado::TADOConnection* connection = BaseConnection();
    if (!connection || connection->InTransaction())
        return;
    connection->BeginTrans();
    m_open = true;
}

ItemRecordsTransaction::~ItemRecordsTransaction() {
    if (!m_open)
        return;
    try {
        if (ado::TADOConnection* connection = BaseConnection(); connection && connection->InTransaction())
            connection->RollbackTrans();
    } catch (...) {
        // A failed write may have rolled the transaction back already.
    }
}

void ItemRecordsTransaction::Commit() {
    if (!m_open)
        return;
    ado::TADOConnection* connection = BaseConnection();
    // A write that failed for want of space may have ended the transaction, taking the other row.
    if (!connection || !connection->InTransaction()) {
        m_open = false;
        throw ado::EDatabaseError("the item's log entry and record were rolled back");
    }
    connection->CommitTrans();
    m_open = false;
}

} // namespace tarnwick
