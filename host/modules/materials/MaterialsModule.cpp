#include "host/modules/common/Materials.h"
#include "host/modules/common/ModuleLibrary.h"

// "项目资料": the open project's materials folder. Entry id 201 imports the materials of a project the
// host has just created from a package, from the folder the creation unpacked them into.
namespace host::modules {

namespace {

class MaterialsModule : public ModuleLibrary {
public:
    std::string Export(std::int32_t) override { return ExportMaterials(); }
    std::int32_t Import(std::int32_t, const std::string& path) override { return ImportMaterials(path); }
    PageContent ExportContent(std::int32_t) override {
        return {"将导出项目资料中的以下文件：", MaterialFiles()};
    }
    PageContent ImportContent(std::int32_t, const std::string& path) override {
        return {"将把以下文件导入当前项目的资料：", ItemFiles(path)};
    }
};

} // namespace

ModuleLibrary& TheModule() {
    static MaterialsModule module;
    return module;
}

} // namespace host::modules
