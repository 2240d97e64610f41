#include "QtUnits.h"

namespace tavimor {

QFont qFont(const ui::Font& described, QFont::StyleHint kind)
{
    QFont font(QString::fromUtf8(described.face.data(), qsizetype(described.face.size())));
    font.setStyleHint(kind);
    font.setPointSizeF(described.centipoints / 100.0);
    font.setWeight(QFont::Weight(described.weight));
    return font;
}

} // namespace tavimor
