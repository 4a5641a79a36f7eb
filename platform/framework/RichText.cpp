#include "platform/framework/RichText.h"

#include "platform/rtl/Exceptions.h"

namespace framework {

void TRichText::SetDefaultAttributes(const TRichAttributes& attributes) {
    m_default = attributes;
    m_attributes.assign(m_text.size(), attributes);
    m_hasPending = false;
    Rewrap();
}

TRichAttributes TRichText::AttributesAt(int pos) const {
    if (pos < 0 || pos >= Length())
        throw rtl::ERangeError("Position out of range (" + std::to_string(pos) + ")");
    return m_attributes[static_cast<std::size_t>(pos)];
}

TRichAttributes TRichText::SelAttributes() const {
    if (SelLength() > 0)
        return m_attributes[static_cast<std::size_t>(SelStart())];
    return InsertionAttributes();
}

void TRichText::SetSelAttributes(const TRichAttributes& attributes) {
    ChangeSelAttributes([&](TRichAttributes& a) { a = attributes; });
}

void TRichText::ChangeSelAttributes(const std::function<void(TRichAttributes&)>& change) {
    if (SelLength() == 0) {
        TRichAttributes a = InsertionAttributes();
        change(a);
        m_pending = a;
        m_pendingAt = m_caret;
        m_hasPending = true;
        if (m_text.empty())
            m_default = a;
        return;
    }
    std::size_t end = static_cast<std::size_t>(SelStart() + SelLength());
    for (std::size_t i = static_cast<std::size_t>(SelStart()); i < end; ++i)
        change(m_attributes[i]);
    // Other sizes and faces take other room.
    Rewrap();
}

std::vector<TRichRun> TRichText::ParagraphRuns(int paragraph) const {
    if (paragraph < 0 || paragraph >= LineCount())
        throw rtl::EListError("Paragraph index out of bounds (" + std::to_string(paragraph) + ")");
    const std::size_t line = static_cast<std::size_t>(paragraph);
    return RunsIn(static_cast<int>(LineStart(line)), static_cast<int>(LineEnd(line)));
}

std::vector<TRichRun> TRichText::RunsIn(int start, int end) const {
    if (start < 0 || end < start || end > Length())
        throw rtl::ERangeError("Range out of the text (" + std::to_string(start) + ", " +
                               std::to_string(end) + ")");
    std::vector<TRichRun> runs;
    for (int i = start; i < end; ++i) {
        const TRichAttributes& a = m_attributes[static_cast<std::size_t>(i)];
        if (runs.empty() || !(runs.back().Attributes == a))
            runs.push_back({i, 0, a});
        ++runs.back().Length;
    }
    if (runs.empty())
        runs.push_back({start, 0, end < Length() ? m_attributes[static_cast<std::size_t>(end)] : m_default});
    return runs;
}

void TRichText::Replace(std::size_t start, std::size_t count, std::u32string_view with) {
    TRichAttributes a = m_hasPending && m_pendingAt == start  ? m_pending
                        : start > 0                           ? m_attributes[start - 1]
                        : start + count < m_attributes.size() ? m_attributes[start + count]
                                                              : m_default;
    if (count == m_attributes.size() && start == 0 && !(m_hasPending && m_pendingAt == 0))
        a = m_default;
    m_attributes.erase(m_attributes.begin() + static_cast<std::ptrdiff_t>(start),
                       m_attributes.begin() + static_cast<std::ptrdiff_t>(start + count));
    m_attributes.insert(m_attributes.begin() + static_cast<std::ptrdiff_t>(start), with.size(), a);
    TMemoText::Replace(start, count, with);
    m_hasPending = false;
}

void TRichText::CaretMoved() {
    if (m_hasPending && m_caret != m_pendingAt)
        m_hasPending = false;
    TMemoText::CaretMoved();
}

TRichAttributes TRichText::InsertionAttributes() const {
    if (m_hasPending && m_pendingAt == m_caret)
        return m_pending;
    if (m_caret > 0)
        return m_attributes[m_caret - 1];
    if (!m_attributes.empty())
        return m_attributes[0];
    return m_default;
}

} // namespace framework
