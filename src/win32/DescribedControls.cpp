#include "DescribedControls.h"

#include "ControlBehaviour.h"
#include "WideText.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tavimor::win32 {

namespace {

constexpr int kPicturePixels = 50;

// The picture's resource for a size in pixels: the one drawn for that size,
// or the nearest larger one, scaled down (a picture scaled up looks blurred).
int pictureResource(int side)
{
    constexpr std::pair<int, int> kDrawn[] = {{50, 2}, {63, 3}, {75, 4}, {88, 5}, {100, 6}};
    for (const auto& [pixels, resource] : kDrawn)
        if (pixels >= side)
            return resource;
    return 6;
}

COLORREF colorRef(unsigned rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Where a control stands at these dots per inch.
RECT placeOf(const ui::Control& described, Dpi dpi)
{
    const ui::Rect& r = described.rect;
    int width = dpi.px(r.width);
    int height = dpi.px(r.height);
    if (described.kind == ui::Kind::Line) {
        height = dpi.scaled(described.lineWidth);
        width += 1; // a line includes both its end points
    }
    return {dpi.px(r.left), dpi.px(r.top), width, height}; // left, top, width, height
}

LOGFONTW messageFont(Dpi dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi.dpi);
    return metrics.lfMessageFont;
}

// Created where it stands: placing 24 controls afterwards costs a server
// round trip each under Wine.
HWND createControl(HWND parent, const ui::Control& described, int id, Dpi dpi)
{
    const wchar_t* className = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (described.kind) {
    case ui::Kind::TextBox:
        className = L"EDIT";
        // Both scroll bars and no wrapping: long lines scroll sideways. Enter
        // starts a new line, since the window has no default button.
        style |= WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
        // Files dropped on it open into its slot (the style is what
        // DragAcceptFiles sets, without loading the shell's library at start).
        exStyle = WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES;
        break;
    case ui::Kind::Button:
        className = L"BUTTON";
        style |= WS_TABSTOP | (described.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ui::Kind::Label: style |= SS_LEFT | SS_NOPREFIX; break;
    case ui::Kind::Picture: style |= SS_BITMAP; break;
    case ui::Kind::Line: style |= SS_LEFT; break;
    }
    const RECT place = placeOf(described, dpi);
    const std::wstring caption = wide(described.caption.view());
    const HWND control = ::CreateWindowExW(exStyle, className, caption.c_str(), style, place.left, place.top,
                                           place.right, place.bottom, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                           ::GetModuleHandleW(nullptr), nullptr);
    if (described.kind == ui::Kind::TextBox) {
        ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // no limit of its own (30,000 characters otherwise)
        addSlotEditKeys(control);
    }
    if (!described.accessibleName.view().empty())
        addAccessibleName(control, described.accessibleName);
    return control;
}

} // namespace

DescribedControls::~DescribedControls()
{
    clearFonts();
    for (auto& [colour, brush] : m_brushes)
        ::DeleteObject(brush);
    if (m_picture)
        ::DeleteObject(m_picture);
}

void DescribedControls::build(HWND parent, const ui::Window& described, int firstId, Dpi dpi)
{
    std::vector<std::pair<const ui::Control*, int>> ordered;
    for (std::size_t i = 0; i < described.controls.size(); ++i)
        ordered.emplace_back(&described.controls[i], firstId + int(i));
    // Lines come last: they take no part in the tab order.
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        const auto rank = [](const ui::Control* c) { return c->tabIndex < 0 ? 1000 : c->tabIndex; };
        return rank(a.first) < rank(b.first);
    });
    for (const auto& [control, id] : ordered)
        m_controls.push_back({control, createControl(parent, *control, id, dpi), id});
    place(dpi, false);
}

void DescribedControls::layout(Dpi dpi)
{
    place(dpi, true);
}

void DescribedControls::place(Dpi dpi, bool move)
{
    for (const Built& c : m_controls) {
        if (c.described->kind == ui::Kind::Picture) {
            // A picture control takes the size of its picture, which sits in
            // its top left corner: the control is placed again afterwards.
            const int side = dpi.scaled(kPicturePixels);
            const HBITMAP picture = static_cast<HBITMAP>(
                ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(pictureResource(side)), IMAGE_BITMAP, side, side, 0));
            ::SendMessageW(c.hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
            if (m_picture)
                ::DeleteObject(m_picture);
            m_picture = picture;
        }
        if (move || c.described->kind == ui::Kind::Picture) {
            const RECT p = placeOf(*c.described, dpi);
            ::SetWindowPos(c.hwnd, nullptr, p.left, p.top, p.right, p.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    refreshFonts(dpi);
}

// Every control gets its described font at these dots per inch, where it differs.
void DescribedControls::refreshFonts(Dpi dpi)
{
    // Fonts that no control uses any more go once every control has its new one.
    std::map<std::tuple<std::string_view, int, int>, HFONT> stale;
    LOGFONTW message = messageFont(dpi);
    if (dpi.dpi != m_fontDpi) {
        stale.swap(m_fonts);
    } else if (std::memcmp(&message, &m_messageFont, sizeof message) != 0) {
        if (const auto system = m_fonts.find({std::string_view(), 0, 0}); system != m_fonts.end()) {
            stale.insert(*system);
            m_fonts.erase(system);
        }
    }
    m_fontDpi = dpi.dpi;
    m_messageFont = message;
    for (Built& c : m_controls) {
        const ui::Kind kind = c.described->kind;
        if (kind == ui::Kind::TextBox || kind == ui::Kind::Button || kind == ui::Kind::Label)
            giveFont(c, font(c.described->font, dpi));
    }
    for (auto& [key, old] : stale)
        ::DeleteObject(old);
}

void DescribedControls::giveFont(Built& control, HFONT font)
{
    if (control.font == font)
        return;
    ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    control.font = font;
}

void DescribedControls::fitLabels(Dpi dpi)
{
    const HDC dc = ::GetDC(nullptr);
    for (Built& c : m_controls) {
        if (c.described->kind != ui::Kind::Label)
            continue;
        RECT box{};
        ::GetClientRect(c.hwnd, &box);
        std::wstring text(std::size_t(::GetWindowTextLengthW(c.hwnd)) + 1, L'\0');
        text.resize(std::size_t(::GetWindowTextW(c.hwnd, text.data(), int(text.size()))));
        ui::Font described = c.described->font;
        for (;;) {
            const HFONT candidate = font(described, dpi);
            const HGDIOBJ previous = ::SelectObject(dc, candidate);
            RECT needed{0, 0, box.right, 0};
            ::DrawTextW(dc, text.c_str(), int(text.size()), &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            ::SelectObject(dc, previous);
            const bool fits = needed.right <= box.right && needed.bottom <= box.bottom;
            if (fits || described.centipoints - ui::kFitStepCentipoints < ui::kSmallestFitCentipoints) {
                giveFont(c, candidate);
                break;
            }
            described.centipoints -= ui::kFitStepCentipoints;
        }
    }
    ::ReleaseDC(nullptr, dc);
}

HWND DescribedControls::find(std::string_view name) const
{
    for (const Built& c : m_controls)
        if (c.described->name.view() == name)
            return c.hwnd;
    return nullptr;
}

const DescribedControls::Built* DescribedControls::byId(int id) const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(), [id](const Built& c) { return c.id == id; });
    return found == m_controls.end() ? nullptr : &*found;
}

const DescribedControls::Built* DescribedControls::byHwnd(HWND control) const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [control](const Built& c) { return c.hwnd == control; });
    return found == m_controls.end() ? nullptr : &*found;
}

ui::HostColours hostColours()
{
    const auto rgb = [](int index) {
        const COLORREF c = ::GetSysColor(index);
        return unsigned(GetRValue(c)) << 16 | unsigned(GetGValue(c)) << 8 | GetBValue(c);
    };
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    const bool high = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)
        && (contrast.dwFlags & HCF_HIGHCONTRASTON);
    return {rgb(COLOR_BTNFACE), rgb(COLOR_BTNTEXT), rgb(COLOR_HOTLIGHT), high};
}

std::optional<LRESULT> DescribedControls::colourStatic(HDC dc, HWND control)
{
    const Built* built = byHwnd(control);
    if (!built || !built->described->colour)
        return std::nullopt;
    // Asked afresh each time: the user may switch themes or high contrast while the window is open.
    const unsigned colour = ui::shownColour(*built->described, hostColours());
    if (built->described->kind == ui::Kind::Line) {
        // A line is a thin static control painted in its colour.
        HBRUSH& brush = m_brushes[colour];
        if (!brush)
            brush = ::CreateSolidBrush(colorRef(colour));
        return reinterpret_cast<LRESULT>(brush);
    }
    ::SetTextColor(dc, colorRef(colour));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

HFONT DescribedControls::font(const ui::Font& described, Dpi dpi)
{
    // No face described: the system's font for messages and dialogs, which
    // has one entry whatever size the description gives.
    const bool system = described.face.empty();
    HFONT& font = m_fonts[{described.face, system ? 0 : described.centipoints, system ? 0 : described.weight}];
    if (font)
        return font;
    if (system) {
        font = ::CreateFontIndirectW(&m_messageFont);
        return font;
    }
    // MS Sans Serif is a bitmap font that comes only in a few sizes; its
    // TrueType twin scales to every size and DPI.
    const std::wstring face = described.face == "MS Sans Serif" ? L"Microsoft Sans Serif" : wide(described.face);
    // The slots' Courier New is monospaced: so must be a font that stands in for it.
    const bool slotFont = described.face == "Courier New";
    const int height = -::MulDiv(described.centipoints, int(dpi.dpi), 7200);
    font = ::CreateFontW(height, 0, 0, 0, described.weight, FALSE, FALSE, FALSE,
                         slotFont ? ANSI_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         CLEARTYPE_QUALITY, slotFont ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_SWISS, face.c_str());
    return font;
}

void DescribedControls::clearFonts()
{
    for (auto& [key, font] : m_fonts)
        ::DeleteObject(font);
    m_fonts.clear();
}

} // namespace tavimor::win32
