#pragma once

#include "SlotAccess.h"
#include "SlotCommands.h"
#include "slotset/FileMenuCommands.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QPlainTextEdit;
class QPushButton;

namespace tavimor {

class FileDialog;
class Platform;

// The main window: six slots, each a text box with its File Open, Paste and
// Copy buttons, and the File and Help menus. The layout is fixed, as drawn at
// 96 dots per inch; nothing moves when the window is resized.
class Form1 : public QMainWindow, public SlotAccess
{
    Q_OBJECT
public:
    // Without a dialog the window makes its own, the host's, named CommonDialog1.
    explicit Form1(Platform& platform, FileDialog* dialog = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    std::string slotText(int slot) const override;

    QPlainTextEdit* slotEdit(int slot) const { return m_text[slot - 1]; }

protected:
    void storeSlotText(int slot, const std::string& text) override;

private:
    void buildSlot(int slot);
    void buildMenus();
    void showAbout();
    // Runs a command; a host failure it does not handle itself ends only the
    // command, and the user is told.
    void run(const std::function<void()>& command);

    Platform& m_platform;
    FileDialog* m_dialog;
    std::array<QPlainTextEdit*, kSlotCount> m_text{};
    std::array<std::array<QPushButton*, 3>, kSlotCount> m_buttons{};
    std::unique_ptr<SlotCommands> m_slotCommands;
    std::unique_ptr<FileMenuCommands> m_fileCommands;
};

// Positions of the layout are kept in twips, 15 to a pixel at 96 dots per inch.
constexpr int twips(int value) { return value / 15; }

} // namespace tavimor
