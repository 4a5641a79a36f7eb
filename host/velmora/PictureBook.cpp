#include "host/velmora/PictureBook.h"

#include "host/velmora/Terminal.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"

#include <cstdio>

namespace velmora {

PictureBook::PictureBook(std::string folder) : m_folder(std::move(folder)) {
    if (!m_folder.empty())
        rtl::ForceDirectories(m_folder);
}

std::string PictureBook::NextFile(const std::string& label) {
    std::string name = label;
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ' ' || c == ':')
            c = '_';
    char number[8];
    std::snprintf(number, sizeof number, "%02zu", m_written.size() + 1);
    const std::string file = rtl::IncludeTrailingPathDelimiter(m_folder) + number + "-" + name + ".png";
    m_written.push_back(file);
    return file;
}

void PictureBook::Form(framework::TCustomForm& form, const std::string& label) {
    if (m_folder.empty())
        return;
    const std::string file = NextFile(label);
    framework::SaveFormPng(form, file);
    Say("picture", file);
}

void PictureBook::Box(const framework::TDialogRecord& box, const std::string& label) {
    if (m_folder.empty())
        return;
    const std::string file = NextFile(label);
    framework::SaveMessageBoxPng(box, file);
    Say("picture", file);
}

} // namespace velmora
