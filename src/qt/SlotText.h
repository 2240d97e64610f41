#pragma once

#include "LongLines.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace tavimor {

// A slot's text box and everything attached to its text: reading and
// replacing it whole, the undo history of replacements and its bound, and the
// display of very long lines. Every replacement works in proportion to the
// new text, not the old: the old text goes first, the display switches while
// the box is empty, and a history past its bound is dropped without setting
// the old text again.
class SlotText : public QObject
{
public:
    // Belongs to the edit, as its child.
    explicit SlotText(QPlainTextEdit* edit);

    QPlainTextEdit* edit() const { return m_edit; }
    // The whole text, UTF-8 with CR LF line breaks.
    std::string text() const;
    // Replaces the whole text as one step that Ctrl+Z undoes; the caret goes
    // to the start. The text's line breaks are CR LF. The text is kept while
    // the box shows it unedited.
    void replace(std::string text);

    // For a replacement undone or redone: the box shows this text with the
    // display given, and returns the text it showed until now, with its display.
    std::string swapText(std::string text, bool& longLines);

private:
    void replaceDroppingHistory(std::string_view text, bool longLines, std::uint64_t replacedBytes);
    void replaceKeepingHistory(std::string_view text, bool longLines, std::uint64_t replacedBytes);
    // The text shown, as it was put in, or else read out of the box.
    std::string takeShownText();
    void keepShownText(std::string text);

    QPlainTextEdit* m_edit;
    LongLineView m_view;
    // Bytes of replaced texts that the undo history holds (UTF-16, as the
    // document holds them).
    std::uint64_t m_held = 0;
    // The text last put in, while the box still shows it unedited (the
    // document's revision tells): a later replacement keeps it for Ctrl+Z
    // without reading it back out of the box.
    std::optional<std::string> m_shown;
    int m_shownRevision = -1;
};

} // namespace tavimor
