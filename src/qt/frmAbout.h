#pragma once

#include <QDialog>

#include <utility>
#include <vector>

class QLabel;

namespace tavimor {

class Platform;
namespace ui {
struct Control;
}

// The About dialog, built from its description: title, version, a description
// and the notice, with OK (also Enter and Esc) and System Info, which starts
// the system information tool.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(Platform& platform, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void load();
    // The described colours, or the theme's where those cannot be read on it.
    void applyColours();

    Platform& m_platform;
    std::vector<std::pair<const ui::Control*, QWidget*>> m_coloured;
};

} // namespace tavimor
