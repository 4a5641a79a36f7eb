#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The open project's materials (Projects\<id>\ResFile\), as the materials module and the package
// library move them: the folder "ResFile\" in the full build, the file "ResFile.pck" in the reduced
// build.
namespace host::modules {

// The result path, or NothingSelected when the project has no materials.
std::string ExportMaterials();
// Puts the materials of item (a folder, or a packed file) into the open project's materials, each
// replacing the project's file of its name whole; raises when one cannot be put there.
std::int32_t ImportMaterials(const std::string& item);
// The files of the open project's materials, or of an item, by their paths below the folder.
std::vector<std::string> MaterialFiles();
std::vector<std::string> ItemFiles(const std::string& item);
// "ResFile.pck" with the materials named by the resources resIds ("@&@" or "," between ids): the
// resources of type "DGGL_ZL" whose caption is a file of the materials. Empty when none is found.
std::string PackResourceMaterials(const std::string& resIds);
// The archive material: every material in CommonReaderFolder() + "ResFile\"; empty when there is none.
std::string ArchiveMaterials();

} // namespace host::modules
