#pragma once

#include "core/ModuleContract.h"
#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host::modules {

// Export answers of a module library, and its import answers.
inline constexpr const char* NothingSelected = tarnwick::ExportNothingSelected;
inline constexpr const char* ExportFailed = tarnwick::ExportFailed;
inline constexpr const char* NoProjectOpen = tarnwick::ExportNoProject;
inline constexpr const char* ResultNotWritten = tarnwick::ExportNotWritten;
using tarnwick::ImportDone;
using tarnwick::ImportFailed;
using tarnwick::ImportNothing;

// Raised inside a module's work to answer a particular export failure code.
class EModuleFailure : public rtl::Exception {
public:
    EModuleFailure(const std::string& code, const std::string& message)
        : rtl::Exception(message), m_code(code) {}
    const std::string& Code() const { return m_code; }

private:
    std::string m_code;
};

// What a module's page shows: a label saying what will be moved and one line per table row, file
// or person.
struct PageContent {
    std::string Label;
    std::vector<std::string> Items;
};

// What one module library moves. Each library defines TheModule(); the entry points of the library
// call it and turn its errors into the answers above.
class ModuleLibrary {
public:
    virtual ~ModuleLibrary() = default;
    // A path inside the work folder (full build) or a file (reduced build), or NothingSelected.
    virtual std::string Export(std::int32_t entryId) = 0;
    // path: the item as the package holds it (a folder or a file).
    virtual std::int32_t Import(std::int32_t entryId, const std::string& path) = 0;
    virtual PageContent ExportContent(std::int32_t entryId) = 0;
    virtual PageContent ImportContent(std::int32_t entryId, const std::string& path) = 0;
};

ModuleLibrary& TheModule();

} // namespace host::modules
