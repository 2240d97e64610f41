#pragma once

class QLabel;

namespace tavimor {

// Shrinks a label's font, in quarter points, until its word-wrapped text fits
// the label's fixed box. The layouts give each label the box its intended font
// needs; a host without that font substitutes one that may run larger, and a
// cut-off caption would be worse than a slightly smaller one.
void fitTextToBox(QLabel* label);

} // namespace tavimor
