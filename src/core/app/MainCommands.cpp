#include "MainCommands.h"

#include "RunCommand.h"
#include "slotset/SlotSetFormat.h"

namespace tavimor {

MainCommands::MainCommands(Platform& platform, FileDialog& dialog, SlotAccess& slots, HostActions host)
    : m_platform(platform)
    , m_slotCommands(platform, dialog, slots)
    , m_fileCommands(platform, dialog, slots)
    , m_host(std::move(host))
{
}

void MainCommands::run(ui::Command command, int slot)
{
    using ui::Command;
    runCommand(m_platform, [&] {
        switch (command) {
        case Command::SlotFileOpen: return m_slotCommands.FileOpen(slot);
        case Command::SlotPaste: return m_slotCommands.Paste(slot);
        case Command::SlotCopy: return m_slotCommands.Copy(slot);
        case Command::FileOpen: return m_fileCommands.Open();
        case Command::FileSave: return m_fileCommands.Save();
        case Command::FileExit: return m_host.close();
        case Command::HelpAbout: return m_host.showAbout();
        default: return;
        }
    });
}

void MainCommands::openAtStart(const std::string& path)
{
    m_fileCommands.OpenPath(path);
}

void MainCommands::dropFiles(int slot, const std::vector<std::string>& paths)
{
    if (paths.size() != 1)
        return m_platform.ShowMessage(kDropOneFile);
    if (isSlotSetName(paths.front()))
        return m_fileCommands.OpenPath(paths.front());
    if (slot == 0)
        return m_platform.ShowMessage(kDropOnASlot);
    m_slotCommands.FileOpenPath(slot, paths.front());
}

} // namespace tavimor
