#include "platform/ado/ADOCommand.h"

#include "platform/ado/Statement.h"

namespace ado {

TParameters& TADOCommand::Parameters() {
    m_parameters.Refresh(m_commandText);
    return m_parameters;
}

int TADOCommand::Execute() {
    return ExecuteStatements(ConnectedHandle(), m_commandText, Parameters());
}

} // namespace ado
