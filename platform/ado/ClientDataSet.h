#pragma once

#include "platform/ado/DataSet.h"

#include <string_view>

namespace ado {

// A dataset that holds its own data packet, read from and written to files in the XML packet form.
class TClientDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;

    // An empty file leaves the dataset closed with no data; a data packet opens it on its rows.
    // Any other content raises EDatabaseError, as does a missing file.
    void LoadFromFile(std::string_view fileName);
    // Raises on a closed dataset.
    void SaveToFile(std::string_view fileName) const;

    // Whether the dataset holds no data packet at all. A packet without rows still is data.
    bool IsDataNull() const { return !m_hasData; }

protected:
    TRowSet InternalOpen() override;
    void InternalClose() override { m_hasData = false; }

private:
    bool m_hasData = false;
};

} // namespace ado
