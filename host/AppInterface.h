#pragma once

#include "core/HostApi.h"

// The host functions reached through VekGetAppInterface, exported under their names as well.
extern "C" {
std::int32_t stdcall ReferenceDataPackage(sharemem::PText file, std::int32_t reserved);
std::int32_t stdcall ReferenceDataPackageEx(sharemem::PText file, sharemem::PText typeName,
                                            sharemem::PText memo);
std::int32_t stdcall VekCreatePrj(sharemem::PText prjPath, sharemem::PText resPath);
void stdcall GetSelAccBookID(sharemem::PText* id);
}
