#pragma once

#include <QMimeData>
#include <QTextCursor>

#include <optional>

namespace tavimor {

// A slot's selection handed to other programs: the X11 primary selection,
// a selection dragged out, or copied. Its text is read out of the box only
// when someone asks for it, so that selecting all of a large slot costs no
// more than selecting a word. A copy is taken at once (`now`), since the
// clipboard must keep what was copied whatever the box shows later.
class SelectionText : public QMimeData
{
public:
    SelectionText(const QTextCursor& selection, bool now);

    // Reads the text out now: before the box changes under it.
    void takeNow() const;

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QTextCursor m_selection; // follows the box's edits
    mutable std::optional<QString> m_text;
};

} // namespace tavimor
