#pragma once

#include "platform/framework/MemoText.h"
#include "platform/gdi/Color.h"

#include <functional>
#include <string>
#include <vector>

namespace framework {

struct TRichAttributes {
    gdi::TColor Color = gdi::clWindowText;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Size = 8;
    std::string Name = "MS Sans Serif";

    bool operator==(const TRichAttributes&) const = default;
};

// A stretch of one paragraph whose characters share their attributes.
struct TRichRun {
    int Start = 0;
    int Length = 0;
    TRichAttributes Attributes;
};

// Rich text: paragraphs separated by one CR, which is one position (CR LF and LF given to it become a
// CR), and attributes for every position. Typed text takes the insertion attributes: those of the
// character before the caret, unless the selection attributes were set while nothing was selected.
class TRichText : public TMemoText {
public:
    TRichText() : TMemoText(U"\r") {}

    const TRichAttributes& DefaultAttributes() const { return m_default; }
    // Applies to all text and becomes the attributes of an empty text.
    void SetDefaultAttributes(const TRichAttributes& attributes);

    TRichAttributes AttributesAt(int pos) const;
    // The attributes of the first selected character, or the insertion attributes.
    TRichAttributes SelAttributes() const;
    void SetSelAttributes(const TRichAttributes& attributes);
    // Changes one aspect over the selection and keeps the others, as the selection's attribute
    // object does when one of its properties is written.
    void ChangeSelAttributes(const std::function<void(TRichAttributes&)>& change);

    // The runs of one paragraph, without its closing CR; an empty paragraph has one empty run.
    std::vector<TRichRun> ParagraphRuns(int paragraph) const;
    // The runs of the positions [start, end) of one paragraph; an empty range has one empty run
    // with the attributes of the character at start (the default ones at the end of the text).
    std::vector<TRichRun> RunsIn(int start, int end) const;

protected:
    void Replace(std::size_t start, std::size_t count, std::u32string_view with) override;
    void CaretMoved() override;

private:
    TRichAttributes InsertionAttributes() const;

    std::vector<TRichAttributes> m_attributes;
    TRichAttributes m_default;
    // Set by writing the attributes of an empty selection; dropped when the caret moves.
    bool m_hasPending = false;
    std::size_t m_pendingAt = 0;
    TRichAttributes m_pending;
};

} // namespace framework
