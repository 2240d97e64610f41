#pragma once

#include "Window.h"
#include "ui/Colours.h"
#include "ui/WindowDescription.h"

#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

namespace tavimor::win32 {

// The child controls of a window, built from its description: text boxes,
// buttons, labels, the picture and the lines, placed at the window's dots per
// inch and placed again when that changes.
// The colours that Windows draws dialogs with now, and whether high contrast is on.
ui::HostColours hostColours();

class DescribedControls
{
public:
    struct Built
    {
        const ui::Control* described;
        HWND hwnd;
        int id;
        HFONT font = nullptr; // the font the control was given last
    };

    DescribedControls() = default;
    ~DescribedControls();
    DescribedControls(const DescribedControls&) = delete;
    DescribedControls& operator=(const DescribedControls&) = delete;

    // Creates the controls, placed at these dots per inch, in tab order, which
    // is the order in which Windows moves the focus; their ids count up from firstId.
    void build(HWND parent, const ui::Window& described, int firstId, Dpi dpi);
    // Places everything again, with fonts and picture, at new dots per inch.
    void layout(Dpi dpi);
    // A system setting changed (Windows tells for many: the environment, a
    // policy, the theme): a control gets a new font only where the system's
    // font for messages, which the buttons use, really changed. Giving a slot
    // holding megabytes a font makes it lay out its whole text again.
    void refreshFonts(Dpi dpi);
    // Sets each label's text a little smaller where its font would cut it off
    // in its box (a host without the described face substitutes one that may
    // run larger). Called again whenever texts or the DPI change.
    void fitLabels(Dpi dpi);

    const std::vector<Built>& controls() const { return m_controls; }
    HWND find(std::string_view name) const;
    const Built* byId(int id) const;
    const Built* byHwnd(HWND control) const;

    // WM_CTLCOLORSTATIC: the described colours of labels and lines, or the
    // system's where those cannot be read (a dark or high-contrast scheme).
    std::optional<LRESULT> colourStatic(HDC dc, HWND control);

private:
    void place(Dpi dpi, bool move);
    void giveFont(Built& control, HFONT font);
    HFONT font(const ui::Font& described, Dpi dpi);
    void clearFonts();

    std::vector<Built> m_controls;
    // The fonts at m_fontDpi, by face, size and weight; the system's font for
    // messages under an empty face, made from m_messageFont.
    std::map<std::tuple<std::string_view, int, int>, HFONT> m_fonts;
    UINT m_fontDpi = 0;
    LOGFONTW m_messageFont{};
    std::map<unsigned, HBRUSH> m_brushes;
    HBITMAP m_picture = nullptr;
};

} // namespace tavimor::win32
