#include "platform/sharemem/ShareMem.h"

#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace sharemem {

namespace {

std::size_t g_liveBlocks = 0;

struct TextHeader {
    std::int32_t refCount;
    std::int32_t length;
};

TextHeader* HeaderOf(PText text) { return reinterpret_cast<TextHeader*>(text) - 1; }

} // namespace

void* GetMem(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    ++g_liveBlocks;
    return block;
}

void FreeMem(void* block) {
    if (!block)
        return;
    std::free(block);
    --g_liveBlocks;
}

void* ReallocMem(void* block, std::size_t size) {
    if (!block)
        return GetMem(size);
    void* moved = std::realloc(block, size ? size : 1);
    if (!moved)
        throw std::bad_alloc();
    return moved;
}

std::size_t LiveBlocks() { return g_liveBlocks; }

PText NewText(std::string_view text) {
    if (text.empty())
        return nullptr;
    if (text.size() > INT32_MAX)
        throw rtl::ERangeError("text too long for a counted text");
    auto* header = static_cast<TextHeader*>(GetMem(sizeof(TextHeader) + text.size() + 1));
    header->refCount = 1;
    header->length = static_cast<std::int32_t>(text.size());
    char* chars = reinterpret_cast<char*>(header + 1);
    std::memcpy(chars, text.data(), text.size());
    chars[text.size()] = '\0';
    return chars;
}

void AddRef(PText text) {
    if (text)
        ++HeaderOf(text)->refCount;
}

void Release(PText text) {
    if (!text)
        return;
    TextHeader* header = HeaderOf(text);
    if (--header->refCount == 0)
        FreeMem(header);
}

std::size_t Length(PText text) { return text ? static_cast<std::size_t>(HeaderOf(text)->length) : 0; }

int RefCount(PText text) { return text ? HeaderOf(text)->refCount : 0; }

std::string_view View(PText text) { return text ? std::string_view(text, Length(text)) : std::string_view(); }

void AssignVar(PText* var, std::string_view text) {
    PText fresh = NewText(text); // before releasing: text may view the old value
    Release(*var);
    *var = fresh;
}

void AssignVar(PText* var, PText shared) {
    AddRef(shared);
    Release(*var);
    *var = shared;
}

void ClearVar(PText* var) {
    Release(*var);
    *var = nullptr;
}

} // namespace sharemem
