// The About dialog's described colours on light, dark and high-contrast hosts:
// kept where they can be read, the host's own where they cannot.
#include "about/frmAboutDescription.h"
#include "ui/Colours.h"

#include <gtest/gtest.h>

using namespace tavimor::ui;

namespace {

const Control& described(std::string_view name, int index = -1)
{
    for (const Control& c : kFrmAbout.controls)
        if (c.name.view() == name && c.index == index)
            return c;
    throw std::logic_error("no such control");
}

} // namespace

TEST(Colours, DescribedColoursGiveWayWhereTheyCannotBeRead)
{
    const HostColours light{0xF0F0F0, 0x000000, 0x0066CC};
    const HostColours dark{0x2D2D2D, 0xEEEEEE, 0x8AB4F8};
    const HostColours darkWithPoorLinks{0x2D2D2D, 0xEEEEEE, 0x1A0DAB};
    const HostColours highContrastBlack{0x000000, 0xFFFFFF, 0xFFFF00, true};
    const HostColours highContrastWhite{0xFFFFFF, 0x000000, 0x00009F, true};
    struct Case
    {
        const char* host;
        const HostColours& colours;
        unsigned title, notice, line, highlight;
    };
    const Case cases[] = {
        {"light", light, 0x000000, 0x0000FF, 0x808080, 0xFFFFFF},
        {"dark", dark, 0xEEEEEE, 0x8AB4F8, 0x808080, 0xFFFFFF},
        {"dark, unreadable links", darkWithPoorLinks, 0xEEEEEE, 0xEEEEEE, 0x808080, 0xFFFFFF},
        {"high contrast black", highContrastBlack, 0xFFFFFF, 0xFFFF00, 0xFFFFFF, 0x000000},
        {"high contrast white", highContrastWhite, 0x000000, 0x00009F, 0x000000, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shownColour(described("lblTitle"), c.colours), c.title) << c.host;
        EXPECT_EQ(shownColour(described("lblDescription"), c.colours), c.title) << c.host;
        EXPECT_EQ(shownColour(described("lblVersion"), c.colours), c.colours.text) << c.host;
        EXPECT_EQ(shownColour(described("lblDisclaimer"), c.colours), c.notice) << c.host;
        EXPECT_EQ(shownColour(described("Line1", 1), c.colours), c.line) << c.host;
        EXPECT_EQ(shownColour(described("Line1", 0), c.colours), c.highlight) << c.host;
    }
}
