#include "FitText.h"

#include <QFontMetrics>
#include <QLabel>

#include <climits>

namespace tavimor {

namespace {

constexpr qreal kSmallestPoints = 6;

bool fits(const QLabel* label, const QFont& font)
{
    const QRect box = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), INT_MAX), flags, label->text());
    return needed.width() <= box.width() && needed.height() <= box.height();
}

} // namespace

void fitTextToBox(QLabel* label)
{
    QFont font = label->font();
    while (!fits(label, font) && font.pointSizeF() - 0.25 >= kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

} // namespace tavimor
