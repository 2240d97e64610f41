#include "WaitCursor.h"

#include <QCursor>

namespace tavimor {

WaitCursor::WaitCursor(bool show)
{
    if (show && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_shown = true;
    }
}

WaitCursor::~WaitCursor()
{
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace tavimor
