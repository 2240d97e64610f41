#include "SlotEdit.h"

#include "DocumentText.h"
#include "DroppedFiles.h"
#include "SelectionText.h"
#include "SlotAccessible.h"
#include "SlotText.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTimer>

#include <memory>

namespace tavimor {

namespace {

// Qt's text box types a line separator (U+2028) for Shift+Enter: it looks
// like a line break, but Copy and Save would hand it out as a character that
// other programs show as nothing or as a box. In a slot, Shift+Enter, and any
// key that types a line or paragraph separator, starts a new line like Enter,
// as on Windows.
bool typesSeparator(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::InsertLineSeparator))
        return true;
    const QString text = key.text();
    return text.contains(QChar::LineSeparator) || text.contains(QChar::ParagraphSeparator);
}

// The context menu's Undo and Redo take the slot's steps, as the keys do.
void takeOver(QMenu& menu, const char* name, bool enabled, std::function<void()> step)
{
    if (auto* action = menu.findChild<QAction*>(QLatin1String(name))) {
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, &menu, std::move(step));
    }
}

} // namespace

SlotEdit::SlotEdit(const QFont& font, QWidget* parent)
    : QPlainTextEdit(parent)
{
    m_text = new SlotText(this, font); // not in the list: the box has events before it is made
    SlotAccessible::install();
}

bool SlotEdit::event(QEvent* event)
{
    const bool handled = QPlainTextEdit::event(event);
    if (m_text) // not while the box is being made
        m_text->settle();
    return handled;
}

bool SlotEdit::viewportEvent(QEvent* event)
{
    const bool handled = QPlainTextEdit::viewportEvent(event);
    if (m_text)
        m_text->settle();
    return handled;
}

void SlotEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        if (event->matches(QKeySequence::Undo))
            m_text->undo();
        else
            m_text->redo();
        ensureCursorVisible();
        event->accept();
        return;
    }
    if (typesSeparator(*event)) {
        QString text = event->matches(QKeySequence::InsertLineSeparator) ? QStringLiteral("\n") : event->text();
        text.replace(QChar::LineSeparator, QLatin1Char('\n')).replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        insertPlainText(text); // a line feed here starts a new line, as Enter does
        ensureCursorVisible();
        event->accept();
        return;
    }
    stepOverPieceBreak(*event);
    const bool copying = event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut);
    const QScopedValueRollback taken(m_copying, m_copying || copying);
    QPlainTextEdit::keyPressEvent(event);
}

void SlotEdit::stepOverPieceBreak(const QKeyEvent& key)
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return;
    const bool back = key.key() == Qt::Key_Backspace && !(key.modifiers() & ~Qt::ShiftModifier);
    if (back && cursor.atBlockStart() && continuesLine(cursor.block()))
        cursor.movePosition(QTextCursor::PreviousCharacter);
    else if (key.matches(QKeySequence::Delete) && cursor.atBlockEnd() && continuesLine(cursor.block().next()))
        cursor.movePosition(QTextCursor::NextCharacter);
    else
        return;
    setTextCursor(cursor);
}

void SlotEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    takeOver(*menu, "edit-undo", m_text->canUndo(), [this] { m_text->undo(); });
    takeOver(*menu, "edit-redo", m_text->canRedo(), [this] { m_text->redo(); });
    const QScopedValueRollback taken(m_copying, true);
    menu->exec(event->globalPos());
}

void SlotEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFiles(event->mimeData()).empty())
        return QPlainTextEdit::dragEnterEvent(event);
    event->acceptProposedAction(); // a file opens, it is not inserted as its address
}

void SlotEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (droppedFiles(event->mimeData()).empty())
        return QPlainTextEdit::dragMoveEvent(event);
    event->acceptProposedAction();
}

void SlotEdit::dropEvent(QDropEvent* event)
{
    if (std::vector<std::string> files = droppedFiles(event->mimeData()); !files.empty()) {
        event->acceptProposedAction();
        if (filesDropped)
            QTimer::singleShot(0, this, [this, files = std::move(files)] { filesDropped(files); });
        return;
    }
    // A selection moved within the box is removed before it is inserted again.
    if (const auto* own = dynamic_cast<const SelectionText*>(event->mimeData()))
        own->takeNow();
    QPlainTextEdit::dropEvent(event);
}

QMimeData* SlotEdit::createMimeDataFromSelection() const
{
    return new SelectionText(textCursor(), m_copying);
}

void SlotEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const QString text = source->text(); // before the selection it may come from changes
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    insertPieces(cursor, text);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace tavimor
