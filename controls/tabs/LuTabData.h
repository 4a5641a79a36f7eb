#pragma once

#include "controls/common/LuColorMath.h"
#include "platform/framework/Classes.h"
#include "platform/framework/Messages.h"

#include <memory>
#include <string>
#include <vector>

namespace lu {

// One tab of a tab control.
class TLuTabData : public framework::TPersistent {
public:
    // The text of the tab: it may hold several lines and one "&" accelerator.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption) { m_caption = caption; }
    // The colour of the tab and its card while the control uses coloured tabs.
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    // The image drawn while the tab is disabled.
    int DisabledIndex() const { return m_disabledIndex; }
    void SetDisabledIndex(int index) { m_disabledIndex = index; }
    // A disabled tab cannot be selected.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index) { m_imageIndex = index; }
    // Where the layout put the tab, in strip coordinates: laid out as if the tabs stood on the top
    // edge, x along the strip and y from its outer edge towards the card.
    const framework::TRect& TabRect() const { return m_tabRect; }
    void SetTabRect(const framework::TRect& rect) { m_tabRect = rect; }
    // An invisible tab takes no place and is never selected.
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    // Row 0 lies next to the card.
    int Row() const { return m_row; }
    void SetRow(int row) { m_row = row; }

    // From another tab: everything but the place the layout gave it.
    void Assign(const framework::TPersistent* source) override;

private:
    std::string m_caption;
    TColor m_color = gdi::clBtnFace;
    int m_disabledIndex = -1;
    bool m_enabled = true;
    std::string m_hint;
    int m_imageIndex = -1;
    framework::TRect m_tabRect{};
    bool m_visible = true;
    int m_row = 0;
};

// The tabs of a tab control; the list owns them. An index outside the list raises rtl::EListError.
class TLuTabDataList : public framework::TPersistent {
public:
    TLuTabDataList() = default;
    ~TLuTabDataList() override;
    TLuTabDataList(const TLuTabDataList&) = delete;
    TLuTabDataList& operator=(const TLuTabDataList&) = delete;

    // From another list: independent copies of its tabs, in order, in place of this list's own.
    void Assign(const framework::TPersistent* source) override;
    virtual int Count() const;
    virtual TLuTabData* Items(int index) const;
    // Frees the tab at the index and keeps the given one there.
    virtual void SetItems(int index, std::unique_ptr<TLuTabData> item);

    int Add(std::unique_ptr<TLuTabData> item);
    void Clear();

private:
    void CheckIndex(int index) const;
    std::vector<std::unique_ptr<TLuTabData>> m_items;
};

} // namespace lu
