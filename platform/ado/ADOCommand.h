#pragma once

#include "platform/ado/ADOConnection.h"
#include "platform/ado/Parameters.h"

#include <string>

namespace ado {

// A statement text run for its effect (insert, update, delete, schema changes).
class TADOCommand : public TConnectionClient {
public:
    TADOCommand() = default;
    virtual ~TADOCommand() = default;

    const std::string& CommandText() const { return m_commandText; }
    void SetCommandText(std::string text) { m_commandText = std::move(text); }
    TParameters& Parameters();

    // Runs the statements of the text; answers the rows changed. Raises EDatabaseError.
    int Execute();

private:
    std::string m_commandText;
    TParameters m_parameters;
};

} // namespace ado
