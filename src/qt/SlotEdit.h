#pragma once

#include <QPlainTextEdit>

#include <functional>
#include <string>
#include <vector>

namespace tavimor {

class SlotText;

// A slot's text box. The text and its history belong to SlotText; the box
// passes it what the user does in the box: Ctrl+Z and Ctrl+Shift+Z, keys at a
// break between two pieces of a long line (which the text does not have),
// text pasted or dropped in, files dropped on it, and selections taken out.
class SlotEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    // `font`: the box's usual font.
    SlotEdit(const QFont& font, QWidget* parent);

    SlotText& slot() const { return *m_text; }

    // Files dropped on the box, for the window to open (after the drop has
    // ended, so that the program they came from is not kept waiting).
    std::function<void(const std::vector<std::string>&)> filesDropped;

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Backspace at the start of a piece deletes the character before the
    // break, Delete at its end the one after: a key deletes a character of
    // the line, never only the display's break.
    void stepOverPieceBreak(const QKeyEvent& key);

    SlotText* m_text = nullptr;
    // A selection copied or cut goes to the clipboard as it is now.
    bool m_copying = false;
};

} // namespace tavimor
