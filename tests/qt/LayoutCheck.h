#pragma once

// Checks a fixed layout as drawn: every control inside the client area, no two
// controls on top of each other, and no caption cut off by its control's box.
#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QWidget>

#include <climits>
#include <string>
#include <vector>

namespace tavimor::test {

inline std::string nameOf(const QWidget* w)
{
    return w->objectName().toStdString();
}

inline std::vector<std::string> layoutProblems(const QWidget& clientArea)
{
    std::vector<std::string> problems;
    const QList<QWidget*> controls = clientArea.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget* w : controls) {
        if (!w->isVisibleTo(&clientArea) || w->objectName().isEmpty())
            continue;
        if (!clientArea.rect().contains(w->geometry()))
            problems.push_back(nameOf(w) + " reaches outside the client area");
        for (const QWidget* other : controls) {
            if (other <= w || !other->isVisibleTo(&clientArea) || other->objectName().isEmpty())
                continue;
            if (w->geometry().intersects(other->geometry()))
                problems.push_back(nameOf(w) + " overlaps " + nameOf(other));
        }
        const QFontMetrics metrics(w->font());
        if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->text().isEmpty()) {
            const QRect box = label->contentsRect();
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), INT_MAX), flags, label->text());
            if (needed.width() > box.width() || needed.height() > box.height())
                problems.push_back(nameOf(w) + " cuts its text");
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            QString caption = button->text();
            caption.remove(QLatin1Char('&'));
            // The style draws the caption inside the button's frame.
            const int frame = 2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
            if (metrics.horizontalAdvance(caption) + frame > w->width() || metrics.height() + frame > w->height())
                problems.push_back(nameOf(w) + " cuts its caption");
        }
    }
    return problems;
}

} // namespace tavimor::test
