#pragma once

namespace tarnwick {

// Joins what one imported item writes to the host's base database (its log entry and its operation
// record) into one transaction on the connection the host hands out, so that the item costs the disk
// one commit there instead of one per row. The rows and their order stay as they were. Where no
// transaction can be begun (no connection, or one is open already) the rows are written as they
// come. The reduced build writes neither row and begins nothing.
class ItemRecordsTransaction {
public:
    ItemRecordsTransaction();
    // Rolls back what was not committed.
    ~ItemRecordsTransaction();
    ItemRecordsTransaction(const ItemRecordsTransaction&) = delete;
    ItemRecordsTransaction& operator=(const ItemRecordsTransaction&) = delete;

    // Raises when the rows could not be stored.
    void Commit();

private:
    bool m_open = false;
};

} // namespace tarnwick
