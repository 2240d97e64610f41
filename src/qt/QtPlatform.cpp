#include "QtPlatform.h"

#include "platform/TextCodec.h"
#include "Version.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>

namespace tavimor {

std::string toCrLf(const QString& text)
{
    return withCrLf(text.toStdString());
}

QString toLf(const std::string& text)
{
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QtPlatform::QtPlatform()
    : m_file(m_store)
{
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
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

std::string QtPlatform::ClipboardGetText()
{
    return toCrLf(QGuiApplication::clipboard()->text());
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
