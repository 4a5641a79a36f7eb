#include "controls/checkbox/LuCheckedActionLink.h"

#include "controls/checkbox/LuCustomGlyphButton.h"

namespace lu {

TLuCheckedActionLink::TLuCheckedActionLink(framework::TControl* client)
    : TWinControlActionLink(client), m_button(dynamic_cast<TLuCustomGlyphButton*>(client)) {}

bool TLuCheckedActionLink::IsCheckedLinked() const {
    const auto* action = dynamic_cast<framework::TCustomAction*>(Action());
    return TWinControlActionLink::IsCheckedLinked() && m_button != nullptr && action != nullptr &&
           m_button->Checked() == action->Checked();
}

void TLuCheckedActionLink::SetChecked(bool value) {
    if (IsCheckedLinked())
        m_button->SetChecked(value);
}

} // namespace lu
