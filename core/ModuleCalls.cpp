#include "core/ModuleCalls.h"

#include "core/Messages.h"
#include "core/ModuleLibraryPath.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Library.h"

#include <exception>
#include <optional>

namespace tarnwick {

namespace {

struct Entry {
    win::HMODULE library = nullptr;
    void* address = nullptr;
};

Entry LoadEntry(const std::string& libraryFile, const char* entryName) {
    const std::string path = ModuleLibraryPath(libraryFile);
    if (path.empty())
        return {};
    Entry entry;
    entry.library = win::LoadLibraryA(path.c_str());
    if (entry.library)
        entry.address = win::GetProcAddress(entry.library, entryName);
    return entry;
}

template <class F> F As(const Entry& entry) {
    return reinterpret_cast<F>(entry.address);
}

framework::TApplication* App() {
    return framework::Application();
}
framework::TScreen* Scr() {
    return framework::Screen();
}
framework::THintWindowClass Hwc() {
    return framework::HintWindowClass();
}

// A copy whose code lives here, so it survives unloading the library that raised the original.
rtl::Exception OwnCopy(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return rtl::Exception(e.what());
    } catch (...) {
        return rtl::Exception("VekPackage_PrjRes raised an unknown error");
    }
}

} // namespace

std::int32_t CallModuleView(const std::string& libraryFile, std::int32_t entryId) {
    const Entry entry = LoadEntry(libraryFile, "VekPackage_View");
    if (!entry.address)
        return ModuleCallSkipped;
    try {
        return As<TVekPackage_View>(entry)(App(), Scr(), Hwc(), entryId);
    } catch (...) {
        ShowInfo("装载 VekPackage_View 失败！");
        return ModuleCallSkipped;
    }
}

std::int32_t CallModuleExportProc(const std::string& libraryFile, std::int32_t entryId,
                                  TModuleParent parent) {
    const Entry entry = LoadEntry(libraryFile, "VekPackage_ExportProc");
    if (!entry.address)
        return ModuleCallSkipped;
    try {
        As<TVekPackage_ExportProc>(entry)(App(), Scr(), Hwc(), entryId, parent);
        return 0;
    } catch (...) {
        ShowInfo("装载 VekPackage_ExportProc 失败！");
        return ModuleCallSkipped;
    }
}

std::string CallModuleExport(const std::string& libraryFile, std::int32_t entryId) {
    const Entry entry = LoadEntry(libraryFile, "VekPackage_Export");
    if (!entry.address)
        return "";
    try {
        sharemem::CountedText result;
        As<TVekPackage_Export>(entry)(result.Var(), App(), Scr(), Hwc(), entryId);
        return result.Str();
    } catch (...) {
        return "";
    }
}

std::int32_t CallModuleFree(const std::string& libraryFile, std::int32_t entryId, std::uint8_t closing) {
    const Entry entry = LoadEntry(libraryFile, "VekPackage_Free");
    if (!entry.address)
        return ModuleCallSkipped;
    try {
        As<TVekPackage_Free>(entry)(App(), Scr(), Hwc(), entryId, closing);
        return 0;
    } catch (...) {
        return ModuleCallSkipped;
    }
}

std::int32_t CallModuleImportProc(const std::string& libraryFile, std::int32_t entryId,
                                  const std::string& path, TModuleParent parent) {
    const Entry entry = LoadEntry(libraryFile, "VekPackage_ImportProc");
    if (!entry.address)
        return ModuleCallSkipped;
    try {
        As<TVekPackage_ImportProc>(entry)(App(), Scr(), Hwc(), entryId, path.c_str(), parent);
        return 0;
    } catch (...) {
        return ModuleCallSkipped;
    }
}

std::int32_t CallModuleImport(const std::string& libraryFile, std::int32_t entryId, const std::string& path) {
    const Entry entry = LoadEntry(libraryFile, "VekPackage_Import");
    if (!entry.address)
        return ModuleCallSkipped;
    try {
        return As<TVekPackage_Import>(entry)(App(), Scr(), Hwc(), entryId, path.c_str());
    } catch (...) {
        return ModuleCallSkipped;
    }
}

std::string CallPackageResIDs(const std::string& resIds) {
    const Entry entry = LoadEntry(PackageLibraryFile, "VekPackage_ResIDs");
    if (!entry.address)
        return "";
    try {
        sharemem::CountedText resFile;
        As<TVekPackage_ResIDs>(entry)(resFile.Var(), App(), resIds.c_str());
        return resFile.Str();
    } catch (...) {
        ShowInfo("装载 VekPackage_ResIDs 失败！");
        return "";
    }
}

std::string CallPackagePrjRes(std::int32_t mode) {
    const Entry entry = LoadEntry(PackageLibraryFile, "VekPackage_PrjRes");
    if (!entry.library)
        return "";
    sharemem::CountedText dir;
    // The library's error object must be gone before its code is unloaded.
    std::optional<rtl::Exception> error;
    if (entry.address) {
        try {
            As<TVekPackage_PrjRes>(entry)(dir.Var(), App(), Scr(), Hwc(), mode);
        } catch (...) {
            error = OwnCopy(std::current_exception());
        }
    }
    win::FreeLibrary(entry.library);
    if (error)
        throw *error;
    return dir.Str();
}

std::string CallPackageGDRes(TModuleTreeView treeView) {
    const std::string path = ModuleLibraryPath(PackageLibraryFile);
    if (path.empty())
        return "";
    try {
        auto entry =
            reinterpret_cast<TVekPackage_GDRes>(VekGetAppInterface(path.c_str(), "VekPackage_GDRes", 0));
        if (!entry)
            return "";
        sharemem::CountedText dir;
        entry(dir.Var(), treeView);
        return dir.Str();
    } catch (...) {
        ShowBox(LoadVekPackageError, InformationBoxFlags);
        return "";
    }
}

} // namespace tarnwick
