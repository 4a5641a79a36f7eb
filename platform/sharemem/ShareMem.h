#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The shared memory manager: one heap for the host, the plug-ins and the module libraries. It lives
// in the platform library, which every one of them loads once, so a block allocated by one side can
// be released by the other.
namespace sharemem {

void* GetMem(std::size_t size);
void FreeMem(void* block);
void* ReallocMem(void* block, std::size_t size);
// Blocks currently allocated through this manager, for leak checks in tests.
std::size_t LiveBlocks();

// Counted text: a pointer to zero-terminated characters with a hidden header (reference count and
// length) in front. A null pointer is the empty text. A var parameter is a PText* whose old text is
// released when a new one is assigned.
using PText = char*;

PText NewText(std::string_view text); // nullptr for the empty text
void AddRef(PText text);
void Release(PText text);
std::size_t Length(PText text);
int RefCount(PText text);
std::string_view View(PText text);
inline std::string ToString(PText text) { return std::string(View(text)); }

// var-parameter assignment: the previous content of *var is released.
void AssignVar(PText* var, std::string_view text);
void AssignVar(PText* var, PText shared); // shares the text (reference count)
void ClearVar(PText* var);

// Owner of one reference to a counted text, for C++ code on either side of a boundary.
class CountedText {
public:
    CountedText() = default;
    CountedText(std::string_view text) : m_text(NewText(text)) {} // NOLINT: converts like a string
    CountedText(const char* text) : CountedText(std::string_view(text ? text : "")) {}
    CountedText(const std::string& text) : CountedText(std::string_view(text)) {}
    CountedText(const CountedText& other) : m_text(other.m_text) { AddRef(m_text); }
    CountedText(CountedText&& other) noexcept : m_text(other.m_text) { other.m_text = nullptr; }
    CountedText& operator=(CountedText other) noexcept {
        std::swap(m_text, other.m_text);
        return *this;
    }
    ~CountedText() { Release(m_text); }

    // Takes over a reference the caller already owns.
    static CountedText Adopt(PText text) {
        CountedText t;
        t.m_text = text;
        return t;
    }

    PText Get() const { return m_text; }
    // For passing as a var parameter: the callee releases the old text and stores a new one.
    PText* Var() { return &m_text; }
    std::string_view View() const { return sharemem::View(m_text); }
    std::string Str() const { return std::string(View()); }
    const char* CStr() const { return m_text ? m_text : ""; }
    std::size_t Length() const { return sharemem::Length(m_text); }
    bool Empty() const { return m_text == nullptr; }

private:
    PText m_text = nullptr;
};

} // namespace sharemem
