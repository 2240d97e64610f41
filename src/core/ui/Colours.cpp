#include "Colours.h"

#include <algorithm>
#include <cmath>

namespace tavimor::ui {

namespace {

double channel(unsigned value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(unsigned rgb)
{
    return 0.2126 * channel((rgb >> 16) & 0xFF) + 0.7152 * channel((rgb >> 8) & 0xFF) + 0.0722 * channel(rgb & 0xFF);
}

bool readable(unsigned colour, unsigned background)
{
    return contrastRatio(colour, background) >= kReadableContrast;
}

} // namespace

double contrastRatio(unsigned a, unsigned b)
{
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

unsigned shownColour(const Control& control, const HostColours& host)
{
    const ColourRole role = control.colourRole;
    if (role == ColourRole::LineHighlight)
        return host.highContrast ? host.background : control.colour.value_or(host.background);
    if (role == ColourRole::Line)
        return host.highContrast ? host.text : control.colour.value_or(host.text);
    const unsigned hostColour = role == ColourRole::Link && readable(host.link, host.background) ? host.link : host.text;
    if (host.highContrast || !control.colour || !readable(*control.colour, host.background))
        return hostColour;
    return *control.colour;
}

} // namespace tavimor::ui
