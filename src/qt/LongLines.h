#pragma once

#include <QFont>

#include <string_view>

class QPlainTextEdit;

namespace tavimor {

// A slot that holds a very long line (kLongLine characters or more) is shown
// wrapped at the box's edge, anywhere in a word, and drawn without text
// shaping, so that the line can be read down the box instead of across
// thousands of its widths. Only the display changes: the slot's characters
// do not. The display follows the slot's whole text as it is replaced (while
// the box is empty, so that switching lays nothing out again), not typing.

// Whether a text holds a line that is shown as long, counted as the box
// counts (UTF-16 units; a line ends at CR, LF, a paragraph separator, and
// U+FDD0 or U+FDD1, which the box turns into line breaks).
bool hasLongLine(std::string_view utf8);

// Shows the box's text in the long-line display, or in the usual one: the
// box's own font, unwrapped.
void showLongLines(QPlainTextEdit& edit, const QFont& usual, bool longLines);

} // namespace tavimor
