#include "core/PackageManager.h"

#include "core/HostApi.h"
#include "core/Messages.h"

#include "platform/framework/Dialogs.h"

namespace tarnwick {

std::int32_t HandToPackageManager(const std::string& file) {
    auto handOver =
        reinterpret_cast<TReferenceDataPackage>(VekGetAppInterface("XMGL", "ReferenceDataPackage", 1));
    if (!handOver)
        return -1;
    try {
        return handOver(sharemem::CountedText(file).Get(), 0);
    } catch (...) {
        framework::ShowMessage("XMGLReferenceDataPak Error!");
        return -1;
    }
}

std::int32_t HandToPackageManagerEx(const std::string& file, const std::string& typeName,
                                    const std::string& caption) {
    try {
        auto handOver = reinterpret_cast<TReferenceDataPackageEx>(
            VekGetAppInterface("XMGL", "ReferenceDataPackageEx", 1));
        if (!handOver)
            return 0;
        return handOver(sharemem::CountedText(file).Get(), sharemem::CountedText(typeName).Get(),
                        sharemem::CountedText(caption).Get());
    } catch (...) {
        ShowBox(LoadVekProjectManageError, InformationBoxFlags);
        return 0;
    }
}

} // namespace tarnwick
