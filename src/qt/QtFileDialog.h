#pragma once

#include "platform/FileDialog.h"

#include <QObject>
#include <QStringList>

class QWidget;

namespace tavimor {

// The host's file dialog behind the FileDialog properties.
class QtFileDialog : public QObject, public FileDialog
{
    Q_OBJECT
public:
    explicit QtFileDialog(QWidget* parent);

    void ShowOpen() override;
    void ShowSave() override;

private:
    void show(bool save);
    QWidget* m_parent;
};

// "Text files (*.txt)|*.txt" -> {"Text files (*.txt)"}: Qt reads the patterns
// from the parentheses, so a description that lacks them gets them added.
QStringList qtNameFilters(const std::string& filter);

} // namespace tavimor
