#pragma once

#include "platform/Platform.h"
#include "PosixFileStore.h"
#include "SubstituteRegistry.h"

#include <QString>

namespace tavimor {

// The platform services on Qt: message boxes, the system clipboard, files on
// disk, and starting programs.
class QtPlatform : public Platform
{
public:
    QtPlatform();

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

private:
    PosixFileStore m_store;
    TextFile m_file;
    SubstituteRegistry m_registry;
};

// Clipboard text in the host's convention (LF) to the program's CR LF,
// accepting CR LF, LF and lone CR.
std::string toCrLf(const QString& text);
QString toLf(const std::string& text);

} // namespace tavimor
