#include "platform/framework/ComCtrls.h"

#include "platform/framework/TypInfo.h"

#include <algorithm>
#include <functional>

namespace framework {

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent, std::string text)
    : m_owner(owner), m_parent(parent), m_text(std::move(text)) {}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count())
        throw rtl::EListError("Tree view index out of range (" + std::to_string(index) + ")");
    return m_children[static_cast<std::size_t>(index)];
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    return AddChild(sibling != nullptr ? sibling->Parent() : nullptr, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    m_nodes.push_back(std::make_unique<TTreeNode>(this, parent, text));
    TTreeNode* node = m_nodes.back().get();
    if (parent != nullptr)
        parent->m_children.push_back(node);
    return node;
}

TTreeNode* TTreeNodes::Item(int index) const {
    if (index < 0 || index >= Count())
        throw rtl::EListError("Tree view index out of range (" + std::to_string(index) + ")");
    return m_nodes[static_cast<std::size_t>(index)].get();
}

void TTreeNodes::Clear() {
    m_nodes.clear();
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (node == nullptr)
        return;
    while (!node->m_children.empty())
        Delete(node->m_children.back());
    if (node->m_parent != nullptr) {
        auto& siblings = node->m_parent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
    }
    m_nodes.erase(
        std::remove_if(m_nodes.begin(), m_nodes.end(), [node](const auto& p) { return p.get() == node; }),
        m_nodes.end());
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
    SetInitialColor(gdi::clWindow);
    SetInitialSize(121, 97);
    SetTabStop(true);
}

void TTreeView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    ApplyBorderStyle(p, bsSingle, Ctl3D());
}

void TTreeView::PaintWindow(gdi::HDC dc) {
    TWinControl::PaintWindow(dc);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    const int lineHeight = canvas.TextHeight("Wg") + 2;
    const int clientHeight = GetClientRect().bottom;
    int y = 1;
    // Children are drawn under their parent, whatever order the nodes were added in.
    std::function<void(const TTreeNode*, int)> draw = [&](const TTreeNode* node, int depth) {
        if (y >= clientHeight)
            return;
        canvas.TextOut(4 + depth * 16, y, node->Text());
        y += lineHeight;
        for (int i = 0; i < node->Count(); ++i)
            draw(node->Item(i), depth + 1);
    };
    for (int i = 0; i < m_items.Count(); ++i)
        if (m_items.Item(i)->Parent() == nullptr)
            draw(m_items.Item(i), 0);
    canvas.SetHandle(nullptr);
}

namespace {
[[maybe_unused]] const auto registerTreeView =
    RegisterClass<TTreeView, TWinControl>("TTreeView")
        .Boolean("TabStop", &TTreeView::TabStop, &TTreeView::SetTabStop, true);
} // namespace

} // namespace framework
