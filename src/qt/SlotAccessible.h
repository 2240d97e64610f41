#pragma once

#include <QAccessibleWidget>

namespace tavimor {

class SlotEdit;

// What a screen reader is told of a slot's text box: the slot's text with
// its lines whole, never the breaks between the pieces of a long line. Offsets
// count the text's characters (UTF-16 units, a line break one); whatever a
// reader asks around an offset is read from a bounded stretch of the text
// around it, so that it costs as little in a 100 MB slot as in a short one.
class SlotAccessible : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface
{
public:
    explicit SlotAccessible(SlotEdit* edit);

    // Makes the accessibility framework describe every slot box by this class.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    void selection(int index, int* start, int* end) const override;
    int selectionCount() const override;
    void addSelection(int start, int end) override;
    void removeSelection(int index) override;
    void setSelection(int index, int start, int end) override;
    int cursorPosition() const override;
    void setCursorPosition(int offset) override;
    QString text(int start, int end) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int start, int end) override;
    QString attributes(int offset, int* start, int* end) const override;

    void deleteText(int start, int end) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int start, int end, const QString& text) override;

private:
    SlotEdit& edit() const;
    // A cursor over the text between two offsets.
    QTextCursor cursor(int start, int end) const;
    // The unit of `type` (character, word, sentence, line) around an offset.
    void unitAround(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const;
};

} // namespace tavimor
