#pragma once

#include "platform/ado/CustomADODataSet.h"
#include "platform/ado/Parameters.h"
#include "platform/rtl/StringList.h"

#include <string>
#include <vector>

namespace ado {

// A dataset over the SQL text it holds. The text is read when the query opens or executes, so it
// may be changed while the query is closed; values go in through QuotedStr or as ":Name" parameters.
class TADOQuery : public TCustomADODataSet {
public:
    using TCustomADODataSet::TCustomADODataSet;

    rtl::TStringList& SQL() { return m_sql; }
    const rtl::TStringList& SQL() const { return m_sql; }
    // The text as lines, for form resources.
    std::vector<std::string> SQLLines() const;
    void SetSQLLines(const std::vector<std::string>& lines);
    // The ":Name" parameters of the current text.
    TParameters& Parameters();

    // Runs the statements of the text without opening the dataset; answers the rows changed.
    int ExecSQL();

protected:
    TRowSet InternalOpen() override;

private:
    rtl::TStringList m_sql;
    TParameters m_parameters;
};

} // namespace ado
