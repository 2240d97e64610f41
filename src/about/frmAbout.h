#pragma once

#include <QDialog>

class QLabel;

namespace tavimor {

class Platform;

// The About dialog: title, version, a description and the notice, with OK
// (also Enter and Esc) and System Info, which starts the system information tool.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(Platform& platform, QWidget* parent = nullptr);

private:
    void load();

    Platform& m_platform;
    QLabel* m_title;
    QLabel* m_version;
    QLabel* m_description;
    QLabel* m_disclaimer;
};

} // namespace tavimor
