#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rtl {

// An ordered list of texts, each with an optional untyped object pointer the list does not own.
// Indexes are 0-based; an index outside the list raises EListError.
class TStringList {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    const std::string& Strings(int index) const;
    void SetStrings(int index, std::string text);
    void* Objects(int index) const;
    void SetObjects(int index, void* object);

    int Add(std::string text);
    int AddObject(std::string text, void* object);
    void AddStrings(const TStringList& other);
    // index may equal Count (appends).
    void Insert(int index, std::string text);
    void InsertObject(int index, std::string text, void* object);
    void Delete(int index);
    void Exchange(int index1, int index2);
    void Clear();

    // First index of a text equal to s ignoring ASCII case, or -1.
    int IndexOf(std::string_view s) const;
    void Sort(); // by CompareText, keeping equal texts in their order

    // "name=value" lines.
    std::string Names(int index) const;
    int IndexOfName(std::string_view name) const;
    std::string Values(std::string_view name) const;
    // An empty value removes the line.
    void SetValues(std::string_view name, std::string_view value);

    // Every line followed by CR LF. Setting splits at CR LF, CR or LF; a last line needs no break.
    std::string Text() const;
    void SetText(std::string_view text);

    // Items joined by the delimiter; items holding blanks, control characters, the quote or the
    // delimiter are quoted (quote doubled inside). Reading separates at the delimiter and, unless
    // StrictDelimiter, also at blanks and control characters; "..." quotes with "" for a quote.
    char Delimiter() const { return m_delimiter; }
    void SetDelimiter(char delimiter) { m_delimiter = delimiter; }
    char QuoteChar() const { return m_quoteChar; }
    void SetQuoteChar(char quoteChar) { m_quoteChar = quoteChar; }
    bool StrictDelimiter() const { return m_strictDelimiter; }
    void SetStrictDelimiter(bool strict) { m_strictDelimiter = strict; }
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view text);

    // DelimitedText with "," and '"', whatever Delimiter and QuoteChar hold.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);

private:
    struct Item {
        std::string text;
        void* object = nullptr;
    };

    void CheckIndex(int index) const;
    std::string Delimited(char delimiter, char quote) const;
    void SetDelimited(std::string_view text, char delimiter, char quote, bool strict);

    std::vector<Item> m_items;
    char m_delimiter = ',';
    char m_quoteChar = '"';
    bool m_strictDelimiter = false;
};

} // namespace rtl
