#include "controls/common/LuRegIniFile.h"

#include "controls/common/LuCommonTypes.h"

namespace lu {

const framework::TEnumInfo PathTypeInfo{"TLuPathType", {"ptIniFile", "ptRegistry"}};
const framework::TEnumInfo RegKeyInfo{"TLuRegKey",
                                      {"hkeyClassesRoot", "hkeyCurrentUser", "hkeyLocalMachine", "hkeyUsers",
                                       "hkeyPerformanceData", "hkeyCurrentConfig", "hkeyDynData"}};
const framework::TEnumInfo RegAccessKeyInfo{"TLuRegAccessKey",
                                            {"keyQueryValue", "keySetValue", "keyCreateSubKey",
                                             "keyEnumerateSubKeys", "keyNotify", "keyCreateLink", "keyRead",
                                             "keyWrite", "keyExecute", "keyAllAccess"}};

TLuRegIniFile::TLuRegIniFile(framework::TComponent* owner) : TComponent(owner) {}

template <class T> void TLuRegIniFile::ChangeLocation(T& field, const T& value) {
    if (StoreIfChanged(field, value))
        m_locationChanged = true;
}

void TLuRegIniFile::SetPath(const std::string& value) {
    ChangeLocation(m_path, value);
}

void TLuRegIniFile::SetPathType(TLuPathType value) {
    ChangeLocation(m_pathType, value);
}

void TLuRegIniFile::SetRegKey(TLuRegKey value) {
    ChangeLocation(m_regKey, value);
}

void TLuRegIniFile::SetRegAccess(TLuRegAccess value) {
    ChangeLocation(m_regAccess, value);
}

namespace {

using T = TLuRegIniFile;
[[maybe_unused]] const auto registerRegIniFile =
    framework::RegisterClass<T, framework::TComponent>("TLuRegIniFile")
        .String("Path", &T::Path, &T::SetPath)
        .Enum("PathType", &T::PathType, &T::SetPathType, PathTypeInfo, std::optional<TLuPathType>(ptIniFile))
        .Enum("RegKey", &T::RegKey, &T::SetRegKey, RegKeyInfo, std::optional<TLuRegKey>(hkeyCurrentUser))
        .Set("RegAccess", &T::RegAccess, &T::SetRegAccess, RegAccessKeyInfo,
             std::optional<TLuRegAccess>(TLuRegAccess{keyAllAccess}));

} // namespace

} // namespace lu
