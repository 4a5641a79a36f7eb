#pragma once

#include "platform/framework/ScriptedUser.h"

#include <string>
#include <vector>

namespace velmora {

// Numbered PNG files of the pages the user sees, in the order they were shown.
class PictureBook {
public:
    // An empty folder writes nothing.
    explicit PictureBook(std::string folder);
    void Form(framework::TCustomForm& form, const std::string& label);
    void Box(const framework::TDialogRecord& box, const std::string& label);
    const std::vector<std::string>& Written() const { return m_written; }

private:
    std::string NextFile(const std::string& label);

    std::string m_folder;
    std::vector<std::string> m_written;
};

} // namespace velmora
