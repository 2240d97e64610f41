#include "SlotCommands.h"

#include "platform/FileDialog.h"
#include "RunCommand.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

namespace tavimor {

std::string clipboardTooLarge(const std::string& size)
{
    return "the clipboard's text is too large for a slot (" + size + "; at most " + mebibytes(kSlotTextLimit)
           + " can be pasted)";
}

SlotCommands::SlotCommands(Platform& platform, FileDialog& dialog, SlotAccess& slots)
    : m_platform(platform)
    , m_dialog(dialog)
    , m_slots(slots)
{
}

// Clipboard failures are not trapped here: they end the command before the
// slot is touched, and the window reports them.
void SlotCommands::Copy(int slot)
{
    m_platform.ClipboardClear();
    m_platform.ClipboardSetText(m_slots.slotText(slot));
}

void SlotCommands::Paste(int slot)
{
    if (!m_platform.ClipboardHasText()) {
        m_platform.ShowMessage(kNoTextMessage);
        return;
    }
    std::string text = m_platform.ClipboardGetText();
    if (text.size() > kSlotTextLimit)
        throw PlatformError(clipboardTooLarge(mebibytes(text.size())));
    m_slots.setSlotText(slot, std::move(text));
}

void SlotCommands::FileOpen(int slot)
{
    runFileCommand(m_platform, [&](TextFile& file) {
        m_dialog.FileName.clear();
        m_dialog.Flags = kHideReadOnly;
        m_dialog.Filter = kTextFilter;
        m_dialog.ShowOpen();
        if (!m_dialog.FileName.empty())
            readInto(slot, file, m_dialog.FileName);
    });
}

void SlotCommands::FileOpenPath(int slot, const std::string& path)
{
    runFileCommand(m_platform, [&](TextFile& file) { readInto(slot, file, path); });
}

void SlotCommands::readInto(int slot, TextFile& file, const std::string& path)
{
    file.OpenInput(path, {kSlotTextLimit, "a slot"});
    // Every line of the file becomes a line of the slot, the last one too.
    std::string text;
    text.reserve(file.remaining() + file.remaining() / 16 + 2);
    while (!file.AtEnd()) {
        text += file.ReadLine();
        text += "\r\n";
    }
    file.Close();
    m_slots.setSlotText(slot, std::move(text));
}

} // namespace tavimor
