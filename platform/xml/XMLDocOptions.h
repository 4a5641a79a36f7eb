#pragma once

#include <initializer_list>

namespace xml {

enum TXMLDocOption {
    doNodeAutoCreate, // ChildNodes[name] creates a missing element instead of raising
    doAttrNull,       // reading an absent attribute answers null instead of an empty text
    doAutoPrefix,     // kept for completeness; the document has no namespace API
    doNamespaceDecl,  // kept for completeness; the document has no namespace API
    doNodeAutoIndent, // saving indents elements
    doAutoSave,       // deactivating the document saves it to its FileName
};

class TXMLDocOptions {
public:
    constexpr TXMLDocOptions() = default;
    constexpr TXMLDocOptions(std::initializer_list<TXMLDocOption> options) {
        for (TXMLDocOption option : options)
            m_bits |= Bit(option);
    }

    constexpr bool Contains(TXMLDocOption option) const { return (m_bits & Bit(option)) != 0; }
    constexpr void Include(TXMLDocOption option) { m_bits |= Bit(option); }
    constexpr void Exclude(TXMLDocOption option) { m_bits &= ~Bit(option); }
    constexpr bool operator==(const TXMLDocOptions&) const = default;

    // Bit i is option i, as a published set property streams it.
    constexpr unsigned long long Bits() const { return m_bits; }
    static constexpr TXMLDocOptions FromBits(unsigned long long bits) {
        TXMLDocOptions options;
        options.m_bits = static_cast<unsigned>(bits);
        return options;
    }

private:
    static constexpr unsigned Bit(TXMLDocOption option) { return 1u << static_cast<unsigned>(option); }
    unsigned m_bits = 0;
};

inline constexpr TXMLDocOptions DefaultXMLDocOptions{doNodeAutoCreate, doAttrNull, doAutoPrefix,
                                                     doNamespaceDecl};

} // namespace xml
