#pragma once

#include "platform/framework/Forms.h"

#include <cstdint>
#include <string>

namespace framework {
class TBevel;
}
namespace lu {
class TLuBitBtn;
class TLuCheckBox;
} // namespace lu

namespace tarnwick {

// One module row of the export wizard's list: the check box captioned with the module, the
// preview button, and the separator shown under the last row of a group.
class TFrame_CheckItem : public framework::TFrame {
public:
    explicit TFrame_CheckItem(framework::TComponent* owner);

    // From the module's row of Vek_PackMod.
    std::int32_t EntryID() const { return m_entryID; }
    void SetEntryID(std::int32_t value) { m_entryID = value; }
    const std::string& ModDllFile() const { return m_modDllFile; }
    void SetModDllFile(const std::string& value) { m_modDllFile = value; }
    const std::string& ModMemo() const { return m_modMemo; }
    void SetModMemo(const std::string& value) { m_modMemo = value; }

    lu::TLuCheckBox& cSelectItem() const { return *m_cSelectItem; }
    lu::TLuBitBtn& bView() const { return *m_bView; }
    framework::TBevel& Bevel1() const { return *m_bevel1; }

    // The module library shows what it would export; whatever goes wrong there stays there.
    void bViewClick(framework::TObject* sender);

    void Loaded() override;

private:
    std::int32_t m_entryID = 0;
    std::string m_modDllFile;
    std::string m_modMemo;
    lu::TLuCheckBox* m_cSelectItem = nullptr;
    lu::TLuBitBtn* m_bView = nullptr;
    framework::TBevel* m_bevel1 = nullptr;
};

} // namespace tarnwick
