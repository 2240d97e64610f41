#include "FitText.h"

#include "ui/WindowDescription.h"

#include <QFontMetrics>
#include <QLabel>

#include <climits>

namespace tavimor {

namespace {

constexpr qreal kStep = ui::kFitStepCentipoints / 100.0;
constexpr qreal kSmallestPoints = ui::kSmallestFitCentipoints / 100.0;

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
    while (!fits(label, font) && font.pointSizeF() - kStep >= kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - kStep);
    label->setFont(font);
}

} // namespace tavimor
