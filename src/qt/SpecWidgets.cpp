#include "SpecWidgets.h"

namespace tavimor {

QFont qFont(const ui::Font& spec, QFont::StyleHint kind)
{
    QFont font(QString::fromUtf8(spec.face.data(), qsizetype(spec.face.size())));
    font.setStyleHint(kind);
    font.setPointSizeF(spec.centipoints / 100.0);
    font.setWeight(QFont::Weight(spec.weight));
    return font;
}

} // namespace tavimor
