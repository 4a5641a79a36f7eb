#include "core/CompressPackage.h"

#include "core/HostApi.h"

#include "platform/rtl/FileSystem.h"

namespace tarnwick {

bool CompressPackage(const std::string& source, const std::string& target) {
    if (rtl::FileExists(target) && !rtl::DeleteFile(target))
        return false;
    // The tool's own answer and report say less than the file does: only a written package counts.
    sharemem::CountedText out;
    CompressFile(out.Var(), source.c_str(), target.c_str());
    return rtl::FileExists(target);
}

} // namespace tarnwick
