#pragma once

#include "platform/ado/ADOConnection.h"
#include "platform/ado/DataSet.h"

#include <string_view>

namespace ado {

// The datasets that run on a connection. They can also be saved to and loaded from the XML
// persistence of a recordset (RecordsetXml.h); a loaded dataset needs no connection.
class TCustomADODataSet : public TDataSet, public TConnectionClient {
public:
    using TDataSet::TDataSet;
    ~TCustomADODataSet() override;

    // Raises on a closed dataset.
    void SaveToFile(std::string_view fileName) const;
    // Opens the dataset on the recordset of the file; raises EDatabaseError for a missing file or
    // one that holds no persisted recordset.
    void LoadFromFile(std::string_view fileName);

protected:
    void ConnectionClosing() override { Close(); }
};

} // namespace ado
