#include "host/ziptool/NameTree.h"

#include <algorithm>

namespace host {

namespace {

std::string ChildKey(TNameTree::Index parent, const std::string& part) {
    std::string key(reinterpret_cast<const char*>(&parent), sizeof parent);
    key += Folded(part);
    return key;
}

} // namespace

TNameTree::TNameTree() {
    m_nodes.emplace_back();
    m_nodes.front().isFolder = true;
}

TNameTree::Index TNameTree::Child(Index parent, const std::string& part, std::string& refusal) {
    const auto [known, added] = m_children.emplace(ChildKey(parent, part), static_cast<Index>(m_nodes.size()));
    if (!added) {
        if (m_nodes[known->second].name != part)
            refusal = "the archive holds " + ShownName(PathOf(known->second)) + " and " +
                      ShownName(PathOf(parent).empty() ? part : PathOf(parent) + "/" + part) +
                      ", which differ only in case";
        return known->second;
    }
    Node node;
    node.name = part;
    node.parent = parent;
    node.nextSibling = m_nodes[parent].firstChild;
    m_nodes.push_back(std::move(node));
    m_nodes[parent].firstChild = known->second;
    return known->second;
}

std::string TNameTree::Add(const ZipEntryName& name, Index& folder) {
    Index node = Root;
    for (std::size_t i = 0; i < name.parts.size(); ++i) {
        std::string refusal;
        const Index parent = node;
        node = Child(parent, name.parts[i], refusal);
        if (!refusal.empty())
            return refusal;
        Node& current = m_nodes[node];
        if (i + 1 < name.parts.size() || name.isFolder) {
            if (current.isFile)
                return "the archive holds " + ShownName(PathOf(node)) + " both as a file and as a folder";
            current.isFolder = true;
            folder = node;
        } else {
            if (current.isFile)
                return "the archive holds " + ShownName(PathOf(node)) + " twice";
            if (current.isFolder)
                return "the archive holds " + ShownName(PathOf(node)) + " both as a file and as a folder";
            current.isFile = true;
            folder = parent;
        }
    }
    return "";
}

std::string TNameTree::PathOf(Index index) const {
    std::vector<Index> chain;
    for (Index at = index; at != Root && at != None; at = m_nodes[at].parent)
        chain.push_back(at);
    std::string path;
    for (auto at = chain.rbegin(); at != chain.rend(); ++at) {
        if (!path.empty())
            path += '/';
        path += m_nodes[*at].name;
    }
    return path;
}

} // namespace host
