#pragma once

#include "platform/framework/WinControl.h"

#include <memory>
#include <string>
#include <vector>

namespace framework {

class TTreeNodes;

class TTreeNode {
public:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent, std::string text);
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& text) { m_text = text; }
    TTreeNode* Parent() const { return m_parent; }
    int Count() const { return static_cast<int>(m_children.size()); }
    TTreeNode* Item(int index) const;
    void* Data() const { return m_data; }
    void SetData(void* data) { m_data = data; }

private:
    friend class TTreeNodes;
    TTreeNodes* m_owner;
    TTreeNode* m_parent;
    std::string m_text;
    void* m_data = nullptr;
    std::vector<TTreeNode*> m_children;
};

// The nodes of a tree view; Count counts every node at every level.
class TTreeNodes {
public:
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    int Count() const { return static_cast<int>(m_nodes.size()); }
    TTreeNode* Item(int index) const;
    void Clear();
    void Delete(TTreeNode* node);

private:
    std::vector<std::unique_ptr<TTreeNode>> m_nodes; // in the order they were added
};

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    TTreeNodes* Items() { return &m_items; }

protected:
    void CreateParams(TCreateParams& params) override;
    // One line per node, indented by its depth.
    void PaintWindow(gdi::HDC dc) override;

private:
    TTreeNodes m_items;
};

} // namespace framework
