#pragma once

#include "DescribedControls.h"
#include "Window.h"

#include <string_view>

namespace tavimor {
class Platform;
}

namespace tavimor::win32 {

// The About dialog frmAbout, built from its description and loaded with its
// texts: OK (also Enter and Esc) closes it, System Info (Alt+S) starts the
// system information tool.
class AboutDialog final : public Window
{
public:
    AboutDialog(Platform& platform, HWND owner);

    // Shows the dialog and returns once it is closed; meanwhile the owner
    // takes no input.
    void runModal();

    HWND control(std::string_view name) const { return m_controls.find(name); }
    bool closed() const { return m_closed; }

protected:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT onCommand(WPARAM wParam);
    LRESULT onDefaultId() const;
    LRESULT onDpiChanged(LPARAM lParam);
    LRESULT onSystemChanged();
    void load();
    static RECT placeBy(HWND owner);
    void run(const ui::Control& control);

    Platform& m_platform;
    HWND m_owner;
    DescribedControls m_controls;
    bool m_closed = false;
};

} // namespace tavimor::win32
