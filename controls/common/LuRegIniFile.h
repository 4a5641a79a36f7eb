#pragma once

#include "platform/framework/Classes.h"
#include "platform/framework/TypInfo.h"

#include <cstdint>
#include <string>

namespace lu {

enum TLuPathType : std::uint8_t { ptIniFile, ptRegistry };
enum TLuRegKey : std::uint8_t {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};
enum TLuRegAccessKey : std::uint8_t {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};
// A 16-bit mask in element order.
using TLuRegAccess = framework::TSet<TLuRegAccessKey>;

extern const framework::TEnumInfo PathTypeInfo;
extern const framework::TEnumInfo RegKeyInfo;
extern const framework::TEnumInfo RegAccessKeyInfo;

// Names where settings are stored: an ini file or a registry key. Only the location is kept, and
// a flag that is set at construction and by every change of it; nothing reads or writes settings
// through the component, which is the use that would take the flag back.
class TLuRegIniFile : public framework::TComponent {
public:
    explicit TLuRegIniFile(framework::TComponent* owner);

    const std::string& Path() const { return m_path; }
    void SetPath(const std::string& value);
    TLuPathType PathType() const { return m_pathType; }
    void SetPathType(TLuPathType value);
    TLuRegKey RegKey() const { return m_regKey; }
    void SetRegKey(TLuRegKey value);
    TLuRegAccess RegAccess() const { return m_regAccess; }
    void SetRegAccess(TLuRegAccess value);

    bool LocationChanged() const { return m_locationChanged; }

private:
    template <class T> void ChangeLocation(T& field, const T& value);

    std::string m_path;
    TLuPathType m_pathType = ptIniFile;
    TLuRegKey m_regKey = hkeyCurrentUser;
    TLuRegAccess m_regAccess{keyAllAccess};
    bool m_locationChanged = true;
};

} // namespace lu
