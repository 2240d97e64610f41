#pragma once

#include <QDialog>

class QLabel;

namespace tavimor {

class Platform;

// The About dialog, built from its description: title, version, a description
// and the notice, with OK (also Enter and Esc) and System Info, which starts
// the system information tool.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(Platform& platform, QWidget* parent = nullptr);

private:
    void load();

    Platform& m_platform;
};

} // namespace tavimor
