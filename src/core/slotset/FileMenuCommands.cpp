#include "FileMenuCommands.h"

#include "ReplaceRule.h"
#include "SlotSetFormat.h"
#include "app/RunCommand.h"
#include "platform/FileDialog.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

namespace tavimor {

FileMenuCommands::FileMenuCommands(Platform& platform, FileDialog& dialog, SlotAccess& slots)
    : m_platform(platform)
    , m_dialog(dialog)
    , m_slots(slots)
{
}

void FileMenuCommands::prepareDialog()
{
    m_dialog.Flags = kHideReadOnly;
    m_dialog.Filter = kSlotSetFilter;
    m_dialog.FileName.clear();
}

void FileMenuCommands::Open()
{
    runFileCommand(m_platform, [&](TextFile& file) {
        prepareDialog();
        m_dialog.ShowOpen();
        if (!m_dialog.FileName.empty())
            read(file, m_dialog.FileName);
    });
}

void FileMenuCommands::OpenPath(const std::string& path)
{
    runFileCommand(m_platform, [&](TextFile& file) { read(file, path); });
}

void FileMenuCommands::read(TextFile& file, const std::string& path)
{
    file.OpenInput(path, {kSlotSetFileLimit, "a slot-set file", kHeaderLine});
    std::optional<SlotTexts> texts = ReadSlotSet(file);
    file.Close();
    if (!texts) {
        m_platform.ShowMessage(kInvalidFormatMessage);
        return;
    }
    // All six or none: every text is checked before the first slot changes.
    // (Their lines were joined with CR LF, the form a slot keeps them in.)
    for (int slot = 1; slot <= kSlotCount; ++slot)
        m_slots.checkSlotText(slot, (*texts)[slot - 1]);
    for (int slot = 1; slot <= kSlotCount; ++slot)
        m_slots.setSlotText(slot, std::move((*texts)[slot - 1]));
}

bool FileMenuCommands::mayReplace(FileStore& store, const std::string& path)
{
    bool ask = true; // a file that is there but cannot be read may hold anything
    try {
        ask = asksBeforeReplacing(store.readHead(path, kReplaceCheckBytes));
    } catch (const PlatformError&) {
    }
    return !ask || m_platform.AskYesNo(replaceQuestion(path));
}

void FileMenuCommands::Save()
{
    // The slots cannot change while the dialogs are open: their texts are
    // written from where the slots keep them, without copies.
    SlotTexts storage;
    SlotTextViews texts;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        texts[slot - 1] = m_slots.slotTextView(slot, storage[slot - 1]);
    if (const std::optional<int> slot = slotWithSeparatorLine(texts)) {
        m_platform.ShowMessage("Slot " + std::to_string(*slot) + " holds the line \"" + std::string(kSeparatorLine)
                               + "\", which separates the slots in the file, so the set would not open as it was "
                                 "saved. Change that line, then save again. Nothing was saved.");
        return;
    }

    runFileCommand(m_platform, [&](TextFile& file) {
        prepareDialog();
        m_dialog.ShowSave();
        if (m_dialog.FileName.empty())
            return;
        if (!mayReplace(file.store(), m_dialog.FileName))
            return;
        file.OpenOutput(m_dialog.FileName);
        WriteSlotSet(file, texts);
        file.Close();
    });
}

} // namespace tavimor
