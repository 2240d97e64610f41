#include "MainCommands.h"

#include "RunCommand.h"

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

} // namespace tavimor
