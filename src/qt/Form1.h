#pragma once

#include "app/MainCommands.h"
#include "app/SlotAccess.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QPlainTextEdit;

namespace tavimor {

class FileDialog;
class Platform;
class SlotEdit;

// The main window, built from its description: six slots, each a text box
// with its File Open, Paste and Copy buttons, and the File and Help menus.
// The layout is fixed, as drawn at 96 dots per inch; nothing moves when the
// window is resized.
class Form1 : public QMainWindow, public SlotAccess
{
    Q_OBJECT
public:
    // Without a dialog the window makes its own, the host's, named CommonDialog1.
    explicit Form1(Platform& platform, FileDialog* dialog = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    std::string slotText(int slot) const override;
    std::string_view slotTextView(int slot, std::string& storage) const override;

    QPlainTextEdit* slotEdit(int slot) const;

    // A slot-set file given at start, opened as File > Open opens it.
    void openAtStart(const std::string& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    void storeSlotText(int slot, std::string text) override;

private:
    QWidget* buildControl(const ui::Control& control, QWidget* client);
    void buildMenus();
    void showAbout();

    Platform& m_platform;
    FileDialog* m_dialog;
    std::array<SlotEdit*, kSlotCount> m_slots{};
    std::unique_ptr<MainCommands> m_commands;
};

} // namespace tavimor
