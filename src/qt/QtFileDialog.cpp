#include "QtFileDialog.h"

#include <QFileDialog>
#include <QSettings>
#include <QWidget>

namespace tavimor {

QStringList qtNameFilters(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(u';', u' ');
        if (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

namespace {

// Qt's file dialog keeps its history and last folder in the user's settings
// (~/.config/QtProject.conf), but Tavimor writes no file the user did not
// save. Settings are looked for under a path that cannot exist, since a
// regular file stands where its folder would be: nothing is read, and every
// attempt to write fails quietly. Tavimor has no settings of its own.
void keepNoSettings()
{
    static const bool done = [] {
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/no-settings"));
        return true;
    }();
    (void)done;
}

} // namespace

QtFileDialog::QtFileDialog(QWidget* parent)
    : QObject(parent)
    , m_parent(parent)
{
    keepNoSettings();
}

void QtFileDialog::ShowOpen()
{
    show(false);
}

void QtFileDialog::ShowSave()
{
    show(true);
}

void QtFileDialog::show(bool save)
{
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A typed name of a missing file is passed on, so the open step reports it;
    // and saving over a file asks nothing.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // The desktop's own dialogs record recent files of their own; Qt's writes nothing.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // Qt's dialog has no read-only check box, which is all kHideReadOnly hides.
    dialog.setNameFilters(qtNameFilters(Filter));
    if (!FileName.empty())
        dialog.selectFile(QString::fromStdString(FileName));
    if (dialog.exec() != QDialog::Accepted)
        return; // cancelled: FileName stays as it was
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty())
        FileName = chosen.first().toStdString();
}

} // namespace tavimor
