#pragma once

// Which colour a described control is drawn in on a given host: the
// described colours are kept where they can be read, and give way to the
// host's own where they cannot (a dark theme, a high-contrast mode).
#include "WindowDescription.h"

namespace tavimor::ui {

// The colours that the host really draws a dialog with.
struct HostColours
{
    unsigned background; // 0xRRGGBB, the dialog's face
    unsigned text;       // its text on that face
    unsigned link;       // its links, for which a notice in blue stands
    bool highContrast = false; // the user asked for the system's colours everywhere
};

// The contrast ratio of two colours as WCAG 2 defines it: 1 (none) to 21.
double contrastRatio(unsigned a, unsigned b);

// Text needs this ratio against its background to be read.
inline constexpr double kReadableContrast = 4.5;

// The colour to draw the control's text or line in. Text and links keep their
// described colour where it has kReadableContrast against the host's background,
// else take the host's (a link the host's link colour, or its text colour when
// that cannot be read either). Lines are ornament and keep theirs. In high
// contrast everything takes the host's: lines its text colour, and a line's
// highlight the background (the etched look is lost, the line is not).
unsigned shownColour(const Control& control, const HostColours& host);

} // namespace tavimor::ui
