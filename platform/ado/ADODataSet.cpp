#include "platform/ado/ADODataSet.h"

#include "platform/ado/DatabaseError.h"
#include "platform/ado/Statement.h"

namespace ado {

TParameters& TADODataSet::Parameters() {
    m_parameters.Refresh(m_commandText);
    return m_parameters;
}

TRowSet TADODataSet::InternalOpen() {
    try {
        return QueryRows(ConnectedHandle(), m_commandText, Parameters());
    } catch (const EDatabaseError& e) {
        RaiseError(e.what());
    }
}

} // namespace ado
