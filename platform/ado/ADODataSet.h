#pragma once

#include "platform/ado/CustomADODataSet.h"
#include "platform/ado/Parameters.h"

#include <string>

namespace ado {

// A dataset over one command text.
class TADODataSet : public TCustomADODataSet {
public:
    using TCustomADODataSet::TCustomADODataSet;

    const std::string& CommandText() const { return m_commandText; }
    void SetCommandText(std::string text) { m_commandText = std::move(text); }
    TParameters& Parameters();

protected:
    TRowSet InternalOpen() override;

private:
    std::string m_commandText;
    TParameters m_parameters;
};

} // namespace ado
