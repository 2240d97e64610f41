#pragma once

#include <QObject>

class QPlainTextEdit;

namespace tavimor {

// Keys in a slot's text box mean what they show. Qt's text box types a line
// separator (U+2028) for Shift+Enter: it looks like a line break, but Copy
// and Save would hand it out as a character that other programs show as
// nothing or as a box. In a slot, Shift+Enter, and any key that types a line
// or paragraph separator, starts a new line like Enter, as on Windows.
class SlotEditKeys : public QObject
{
public:
    explicit SlotEditKeys(QPlainTextEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_edit;
};

} // namespace tavimor
