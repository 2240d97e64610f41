#pragma once

#include <string>

#include "Registry.h"
#include "TextFile.h"

namespace tavimor {

// Why a clipboard command failed when another program has the clipboard and
// does not let go of it or does not answer in time: said alike on every host.
inline constexpr const char* kClipboardHeld = "the clipboard is held by another program";
// A program that keeps handing over text past every sensible time.
inline constexpr const char* kClipboardTooSlow
    = "the program that holds the clipboard took too long to hand over its text";

// What the commands need of the host. Every operation that fails throws
// PlatformError with the host's description. Texts are UTF-8; line breaks in
// clipboard text are CR LF on this side of the interface.
class Platform
{
public:
    virtual ~Platform() = default;

    // A modal box with the text and an OK button, captioned "Tavimor".
    virtual void ShowMessage(const std::string& text) = 0;
    // A modal question with Yes and No, captioned "Tavimor", No the default.
    // True only for Yes: No, Esc and closing the box all answer no.
    virtual bool AskYesNo(const std::string& text) = 0;

    virtual void ClipboardClear() = 0;
    virtual void ClipboardSetText(const std::string& text) = 0;
    virtual bool ClipboardHasText() = 0;
    virtual std::string ClipboardGetText() = 0;

    // The program's one sequential text file ("file number 1").
    virtual TextFile& textFile() = 0;

    // Read only by the system information launcher.
    virtual Registry& registry() = 0;

    // Starts the program and returns without waiting for it.
    virtual void StartProgram(const std::string& path) = 0;
    // True for an existing regular file.
    virtual bool FileExists(const std::string& path) = 0;
    // The folder of the system's own programs; empty on a host without one.
    virtual std::string SystemFolder() { return {}; }
};

} // namespace tavimor
