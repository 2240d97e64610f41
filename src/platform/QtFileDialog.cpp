#include "QtFileDialog.h"

#include <QFileDialog>
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

QtFileDialog::QtFileDialog(QWidget* parent)
    : QObject(parent)
    , m_parent(parent)
{
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
