#include "core/export/UntFrame_CheckItem.h"

#include "core/ModuleCalls.h"
#include "core/export/FormComponents.h"

#include "controls/button/LuBitBtn.h"
#include "controls/checkbox/LuCheckBox.h"

#include "platform/framework/ExtCtrls.h"

namespace tarnwick {

TFrame_CheckItem::TFrame_CheckItem(framework::TComponent* owner) : framework::TFrame(owner) {}

void TFrame_CheckItem::Loaded() {
    framework::TFrame::Loaded();
    m_cSelectItem = &FormComponent<lu::TLuCheckBox>(*this, "cSelectItem");
    m_bView = &FormComponent<lu::TLuBitBtn>(*this, "bView");
    m_bevel1 = &FormComponent<framework::TBevel>(*this, "Bevel1");
}

void TFrame_CheckItem::bViewClick(framework::TObject*) {
    try {
        CallModuleView(m_modDllFile, m_entryID);
    } catch (...) {
    }
}

namespace {
[[maybe_unused]] const auto registerFrame =
    framework::RegisterClass<TFrame_CheckItem, framework::TFrame>("TFrame_CheckItem")
        .Handler("bViewClick", &TFrame_CheckItem::bViewClick);
} // namespace

} // namespace tarnwick
