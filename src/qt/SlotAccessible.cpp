#include "SlotAccessible.h"

#include "DocumentText.h"
#include "SlotEdit.h"

#include <QTextBoundaryFinder>
#include <QTextCursor>

#include <algorithm>

namespace tavimor {

namespace {

// How far around an offset a unit of text is looked for.
constexpr int kReach = kPieceLimit;

QAccessibleInterface* describe(const QString& className, QObject* object)
{
    if (className == QLatin1String("tavimor::SlotEdit"))
        return new SlotAccessible(static_cast<SlotEdit*>(object));
    return nullptr;
}

} // namespace

SlotAccessible::SlotAccessible(SlotEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText)
{
}

void SlotAccessible::install()
{
    static const bool installed = (QAccessible::installFactory(describe), true);
    (void)installed;
}

SlotEdit& SlotAccessible::edit() const
{
    return *static_cast<SlotEdit*>(widget());
}

void* SlotAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State SlotAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString SlotAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return text(0, characterCount());
    return QAccessibleWidget::text(kind);
}

QTextCursor SlotAccessible::cursor(int start, int end) const
{
    const QTextDocument& document = *edit().document();
    QTextCursor cursor(edit().document());
    cursor.setPosition(documentPosition(document, start));
    cursor.setPosition(documentPosition(document, end), QTextCursor::KeepAnchor);
    return cursor;
}

void SlotAccessible::selection(int index, int* start, int* end) const
{
    *start = *end = 0;
    const QTextCursor selected = edit().textCursor();
    if (index != 0 || !selected.hasSelection())
        return;
    *start = plainOffset(*edit().document(), selected.selectionStart());
    *end = plainOffset(*edit().document(), selected.selectionEnd());
}

int SlotAccessible::selectionCount() const
{
    return edit().textCursor().hasSelection() ? 1 : 0;
}

void SlotAccessible::addSelection(int start, int end)
{
    setSelection(0, start, end);
}

void SlotAccessible::removeSelection(int index)
{
    if (index == 0)
        setCursorPosition(cursorPosition());
}

void SlotAccessible::setSelection(int index, int start, int end)
{
    if (index == 0)
        edit().setTextCursor(cursor(start, end));
}

int SlotAccessible::cursorPosition() const
{
    return plainOffset(*edit().document(), edit().textCursor().position());
}

void SlotAccessible::setCursorPosition(int offset)
{
    edit().setTextCursor(cursor(offset, offset));
}

QString SlotAccessible::text(int start, int end) const
{
    const QTextCursor range = cursor(start, end);
    return plainText(*edit().document(), range.anchor(), range.position());
}

void SlotAccessible::unitAround(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const
{
    const int count = characterCount();
    offset = std::clamp(offset, 0, count);
    if (type == QAccessible::NoBoundary) {
        *start = 0;
        *end = count;
        return;
    }
    const int from = std::max(0, offset - kReach);
    const QString near = text(from, std::min(count, offset + kReach));
    const int at = offset - from;
    if (type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary) {
        const qsizetype lineStart = at == 0 ? 0 : near.lastIndexOf(QLatin1Char('\n'), at - 1) + 1;
        const qsizetype lineEnd = near.indexOf(QLatin1Char('\n'), at);
        *start = from + int(lineStart);
        *end = from + int(lineEnd < 0 ? near.size() : lineEnd + 1);
        return;
    }
    const auto kind = type == QAccessible::CharBoundary   ? QTextBoundaryFinder::Grapheme
                      : type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                          : QTextBoundaryFinder::Sentence;
    QTextBoundaryFinder finder(kind, near);
    finder.setPosition(at);
    if (!finder.isAtBoundary() || at == near.size())
        finder.toPreviousBoundary();
    *start = from + int(std::max<qsizetype>(0, finder.position()));
    const qsizetype next = finder.toNextBoundary();
    *end = from + int(next < 0 ? near.size() : next);
}

QString SlotAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const
{
    unitAround(offset, type, start, end);
    if (*start == 0 && type != QAccessible::NoBoundary) {
        *start = *end = 0;
        return {};
    }
    if (type != QAccessible::NoBoundary)
        unitAround(*start - 1, type, start, end);
    return text(*start, *end);
}

QString SlotAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const
{
    unitAround(offset, type, start, end);
    if (*end >= characterCount() && type != QAccessible::NoBoundary) {
        *start = *end = characterCount();
        return {};
    }
    if (type != QAccessible::NoBoundary)
        unitAround(*end, type, start, end);
    return text(*start, *end);
}

QString SlotAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const
{
    unitAround(offset, type, start, end);
    return text(*start, *end);
}

int SlotAccessible::characterCount() const
{
    const QTextDocument& document = *edit().document();
    return plainOffset(document, document.characterCount() - 1);
}

QRect SlotAccessible::characterRect(int offset) const
{
    const QRect caret = edit().cursorRect(cursor(offset, offset));
    const QPoint topLeft = edit().viewport()->mapToGlobal(caret.topLeft());
    return {topLeft, QSize(edit().fontMetrics().averageCharWidth(), caret.height())};
}

int SlotAccessible::offsetAtPoint(const QPoint& point) const
{
    const QPoint inside = edit().viewport()->mapFromGlobal(point);
    return plainOffset(*edit().document(), edit().cursorForPosition(inside).position());
}

void SlotAccessible::scrollToSubstring(int start, int end)
{
    edit().setTextCursor(cursor(start, end));
    edit().ensureCursorVisible();
}

QString SlotAccessible::attributes(int offset, int* start, int* end) const
{
    *start = *end = offset; // plain text: nothing to tell
    return {};
}

void SlotAccessible::deleteText(int start, int end)
{
    replaceText(start, end, {});
}

void SlotAccessible::insertText(int offset, const QString& text)
{
    replaceText(offset, offset, text);
}

void SlotAccessible::replaceText(int start, int end, const QString& text)
{
    QTextCursor range = cursor(start, end);
    range.beginEditBlock();
    range.removeSelectedText();
    insertPieces(range, text);
    range.endEditBlock();
}

} // namespace tavimor
