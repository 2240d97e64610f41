#include "QtPlatform.h"

#include "DocumentText.h"
#include "platform/TextCodec.h"
#include "Version.h"
#include "X11Clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>

namespace tavimor {

namespace {

// Text that took this long to come back empty was not handed over (Qt on
// Wayland waits 1 s per kind of text); a clipboard that holds empty text
// answers at once.
constexpr qint64 kGaveUpAfter = 900; // ms

} // namespace

std::string toCrLf(const QString& text)
{
    return withCrLf(text.toStdString());
}

QString toLf(const std::string& text)
{
    QString result = exactUtf16(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QtPlatform::QtPlatform()
    : m_file(m_store)
{
}

QtPlatform::~QtPlatform()
{
    QObject::disconnect(m_clipboardChanged);
}

X11Clipboard* QtPlatform::foreignX11Clipboard()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || QGuiApplication::clipboard()->ownsClipboard())
        return nullptr;
    if (!m_x11Opened) {
        m_x11 = X11Clipboard::open();
        m_x11Opened = true;
    }
    return m_x11.get();
}

void QtPlatform::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPlatform::AskYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No); // Esc and the close box answer no
    return box.exec() == QMessageBox::Yes;
}

void QtPlatform::ClipboardClear()
{
    QGuiApplication::clipboard()->clear();
}

void QtPlatform::ClipboardSetText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(toLf(text));
}

bool QtPlatform::ClipboardHasText()
{
    if (X11Clipboard* x11 = foreignX11Clipboard())
        return x11->hasText();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

std::string QtPlatform::ClipboardGetText()
{
    if (X11Clipboard* x11 = foreignX11Clipboard())
        return withCrLf(x11->text());
    // On Wayland Qt gives up on an owner that does not answer after a second
    // for each kind of text it asks for, and then hands back no text at all:
    // that is no text to replace a slot's with.
    // Qt then keeps that no text for the offer, and gives it at once: an
    // offer that did not answer stays so until the clipboard changes.
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* offer = clipboard->mimeData();
    if (offer && offer == m_unanswered)
        throw PlatformError(kClipboardHeld);
    QElapsedTimer asking;
    asking.start();
    const QString text = clipboard->text();
    if (text.isEmpty() && asking.elapsed() >= kGaveUpAfter) {
        if (!m_clipboardChanged)
            m_clipboardChanged = QObject::connect(clipboard, &QClipboard::dataChanged, [this] { m_unanswered = nullptr; });
        m_unanswered = offer;
        throw PlatformError(kClipboardHeld);
    }
    return toCrLf(text);
}

void QtPlatform::StartProgram(const std::string& path)
{
    const QString program = QString::fromStdString(path);
    const QFileInfo info(program);
    // startDetached does not always report a file it cannot run; check first.
    if (path.empty() || !info.isFile() || !info.isExecutable())
        throw PlatformError(describeFileError(path, "this is not a program that can be started"));
    if (!QProcess::startDetached(program, {}))
        throw PlatformError(describeFileError(path, "the program could not be started"));
}

bool QtPlatform::FileExists(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).isFile();
}

} // namespace tavimor
