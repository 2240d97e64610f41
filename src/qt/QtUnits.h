#pragma once

// Turns the core's window descriptions into Qt terms: twips into pixels (15
// to a pixel; Qt scales pixels for the screen itself), fonts and colours.
#include "ui/WindowDescription.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

namespace tavimor {

constexpr int pixels(int twips)
{
    return twips / 15;
}

inline QRect pixels(const ui::Rect& r)
{
    return {pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)};
}

inline QString qText(const ui::Text& text)
{
    return QString::fromUtf8(text.view().data(), qsizetype(text.view().size()));
}

inline QColor qColour(unsigned rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

// The described face at the described size; where the host lacks the face,
// a font of the same kind stands in.
QFont qFont(const ui::Font& font, QFont::StyleHint kind);

} // namespace tavimor
