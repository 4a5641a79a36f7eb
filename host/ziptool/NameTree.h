#pragma once

#include "host/ziptool/ZipEntryName.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

// The names of an archive as a tree of folders and files. Each part of a name is stored once, in
// the node it names, so the tree's memory grows with the total length of the names, however deep
// they reach; the checks and the folder creation visit each node once.
class TNameTree {
public:
    using Index = std::uint32_t;
    static constexpr Index Root = 0;
    static constexpr Index None = UINT32_MAX;

    struct Node {
        std::string name; // as first written; the root's is empty
        Index parent = None;
        Index firstChild = None;
        Index nextSibling = None;
        bool isFolder = false;
        bool isFile = false;
    };

    TNameTree();

    // Adds an entry's name and sets folder to the node of the folder that holds it (for a folder
    // entry, its own node). Answers "" or the reason the archive is refused: a part that another
    // name spells in another case (the callers' file system takes them for one), a file that comes
    // twice, or a name that is both a file and a folder.
    std::string Add(const ZipEntryName& name, Index& folder);

    const Node& operator[](Index index) const { return m_nodes[index]; }
    std::size_t Size() const { return m_nodes.size(); }
    // The node's names from below the root, joined by "/"; "" for the root.
    std::string PathOf(Index index) const;

private:
    Index Child(Index parent, const std::string& part, std::string& refusal);

    std::vector<Node> m_nodes;
    // The parent's index and the part in lower case -> the child.
    std::unordered_map<std::string, Index> m_children;
};

} // namespace host
