#pragma once

#include <string>
#include <string_view>

class QPlainTextEdit;
class QTextDocument;

namespace tavimor {

// The whole text of a slot's document with CR LF line breaks. Read from the
// raw text, since toPlainText() turns no-break spaces into spaces and line
// separators into line breaks: only paragraph ends become CR LF.
// Unpaired surrogates, which no UTF-8 text can hold, become U+FFFD.
std::string slotTextOf(const QTextDocument& document);

// Forgets the undo history and frees the texts that it kept.
void dropUndoHistory(QTextDocument& document);

// Replaces the whole text as one undoable edit (setPlainText would drop the
// undo history). CR LF, LF and lone CR all end a paragraph.
void replaceSlotText(QPlainTextEdit& edit, std::string_view text);

} // namespace tavimor
