#pragma once

#include "platform/Platform.h"
#include "PosixFileStore.h"
#include "SubstituteRegistry.h"

#include <QMetaObject>
#include <QString>

#include <memory>

class QMimeData;

namespace tavimor {

// The platform services on Qt: message boxes, the system clipboard, files on
// disk, and starting programs.
class X11Clipboard;

class QtPlatform : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;

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
    // The clipboard of another program on X11, asked with a time limit;
    // nothing where Qt's own clipboard answers (its own text, Wayland).
    X11Clipboard* foreignX11Clipboard();

    PosixFileStore m_store;
    std::unique_ptr<X11Clipboard> m_x11;
    bool m_x11Opened = false;
    const QMimeData* m_unanswered = nullptr; // the clipboard's offer that did not answer
    QMetaObject::Connection m_clipboardChanged;
    TextFile m_file;
    SubstituteRegistry m_registry;
};

// Clipboard text in the host's convention (LF) to the program's CR LF,
// accepting CR LF, LF and lone CR.
std::string toCrLf(const QString& text);
QString toLf(const std::string& text);

} // namespace tavimor
