#pragma once

#include "platform/xml/XMLNode.h"

#include <memory>
#include <string>

// Where an export run works and what it packs, the part of the run in which the two builds differ:
// Tarnwick packs its whole work folder, which it empties before the run and removes after it; the
// reduced build packs "Package.XML" and a list of the files the modules wrote, wherever they lie.
namespace tarnwick {

class ExportPackageFiles {
public:
    virtual ~ExportPackageFiles() = default;

    // The folder that receives "Package.XML" (and, with a project open, the package).
    virtual const std::string& WorkFolder() const = 0;
    // Readies the work folder before the user is asked anything; false ends the run, the user told.
    virtual bool Prepare() = 0;
    // The resource export's materials path is something the package can take.
    virtual bool TakesMaterials(const std::string& dir) const = 0;
    // Writes the item of a module's result, or refuses the result (false): the caller reports the
    // module as failed. An item refused by its result alone may stay without AppFileName.
    virtual bool TakeResult(const xml::TXMLNode& items, const std::string& caption, const std::string& result) = 0;
    // What CompressFile packs: a folder, or a list of files joined by ListSeparator.
    virtual std::string PackSource() const = 0;
    // After a run that reached its end and closed the wizard.
    virtual void Finish() = 0;
    // Gives back the disk space of what the run wrote, before a failure is reported: on a full disk
    // the failure's log entry needs it.
    virtual void Free() = 0;
};

// The build's package files for one run; destroying them is the run's last clean-up.
std::unique_ptr<ExportPackageFiles> MakeExportPackageFiles();

} // namespace tarnwick
