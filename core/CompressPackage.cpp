#include "core/CompressPackage.h"

#include "core/HostApi.h"

#include "platform/rtl/FileReplacement.h"

namespace tarnwick {

bool CompressPackage(const std::string& source, const std::string& target) {
    rtl::SweepLeftoversOf(target);
    return rtl::WriteReplacing(target, [&](const std::string& temporary) {
        // The tool's own answer and report say less than the file does: only a written package
        // counts, and the temporary name was free before the tool ran.
        sharemem::CountedText out;
        CompressFile(out.Var(), source.c_str(), temporary.c_str());
        return true;
    });
}

} // namespace tarnwick
