#include "FileMenuCommands.h"

#include "SlotSetFormat.h"
#include "app/RunCommand.h"
#include "platform/FileDialog.h"
#include "platform/Platform.h"

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
    TextFile& file = m_platform.textFile();
    try {
        prepareDialog();
        m_dialog.ShowOpen();
        if (m_dialog.FileName.empty())
            return;
        file.OpenInput(m_dialog.FileName, {kSlotSetFileLimit, "a slot-set file", kHeaderLine});
        const std::optional<SlotTexts> texts = ReadSlotSet(file);
        file.Close();
        if (!texts) {
            m_platform.ShowMessage(kInvalidFormatMessage);
            return;
        }
        // All six or none: every text is checked before the first slot changes.
        SlotTexts normal;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            normal[slot - 1] = withCrLf((*texts)[slot - 1]);
            m_slots.checkSlotText(slot, normal[slot - 1]);
        }
        for (int slot = 1; slot <= kSlotCount; ++slot)
            m_slots.setSlotText(slot, std::move(normal[slot - 1]));
    } catch (const std::exception& e) {
        file.Discard();
        m_platform.ShowMessage(errorMessage(e));
    }
}

void FileMenuCommands::Save()
{
    SlotTexts texts;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        texts[slot - 1] = m_slots.slotText(slot);
    if (const std::optional<int> slot = slotWithSeparatorLine(texts)) {
        m_platform.ShowMessage("Slot " + std::to_string(*slot) + " holds the line \"" + std::string(kSeparatorLine)
                               + "\", which separates the slots in the file, so the set would not open as it was "
                                 "saved. Change that line, then save again. Nothing was saved.");
        return;
    }

    TextFile& file = m_platform.textFile();
    try {
        prepareDialog();
        m_dialog.ShowSave();
        if (m_dialog.FileName.empty())
            return;
        file.OpenOutput(m_dialog.FileName);
        WriteSlotSet(file, texts);
        file.Close();
    } catch (const std::exception& e) {
        file.Discard();
        m_platform.ShowMessage(errorMessage(e));
    }
}

} // namespace tavimor
