#pragma once

#include "Win32FileStore.h"
#include "WindowsApi.h"
#include "WindowsRegistry.h"
#include "platform/Platform.h"

namespace tavimor::win32 {

// The platform services on Windows: message boxes, the clipboard, files on
// disk, the registry and starting programs.
class Win32Platform : public Platform
{
public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;

    void ClipboardClear() override;
    void ClipboardSetText(const std::string& text) override;
    bool ClipboardHasText() override;
    std::string ClipboardGetText() override;

    TextFile& textFile() override { return m_file; }
    Registry& registry() override { return m_registry; }

    void StartProgram(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    std::string SystemFolder() override;

private:
    // The clipboard is opened by a window of the program's own, so that the
    // program owns what it puts there.
    HWND m_clipboardOwner = nullptr;
    Win32FileStore m_store;
    TextFile m_file{m_store};
    WindowsRegistry m_registry;
};

} // namespace tavimor::win32
