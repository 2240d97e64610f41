// The window descriptions both front ends build from, checked once: every
// control inside its window, none on top of another, names unique, the tab
// order complete and each access key used once per window.
#include "about/frmAboutDescription.h"
#include "app/Form1Description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace tavimor;
using namespace tavimor::ui;

namespace {

std::string nameOf(const Control& c)
{
    std::string name(c.name.view());
    if (c.index >= 0) {
        name += '[';
        name += std::to_string(c.index);
        name += ']';
    }
    return name;
}

bool overlap(const Rect& a, const Rect& b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

std::vector<std::string> problems(const Window& w)
{
    std::vector<std::string> found;
    std::set<std::string> names;
    std::vector<int> tabOrder;
    std::map<char, std::string> keys;
    auto key = [&](std::string_view caption) {
        if (const auto k = accessKey(caption); k && !keys.emplace(*k, std::string(caption)).second)
            found.push_back("access key " + std::string(1, *k) + " of " + std::string(caption) + " is also "
                            + keys[*k] + "'s");
    };
    for (const Control& c : w.controls) {
        const std::string name = nameOf(c);
        if (!names.insert(name).second)
            found.push_back(name + " is named twice");
        if (c.rect.left < 0 || c.rect.top < 0 || c.rect.right() > w.clientWidth || c.rect.bottom() > w.clientHeight)
            found.push_back(name + " reaches outside the client area");
        for (const Control& other : w.controls)
            if (&other < &c && overlap(c.rect, other.rect))
                found.push_back(name + " overlaps " + nameOf(other));
        if (c.kind != Kind::Line)
            tabOrder.push_back(c.tabIndex);
        if (c.takesFocus() && c.accessibleName.view().empty())
            found.push_back(name + " has no accessible name");
        key(c.caption.view());
    }
    for (const Menu& menu : w.menus) {
        key(menu.caption.view());
        for (const MenuItem& item : menu.items)
            key(item.caption.view());
    }
    std::sort(tabOrder.begin(), tabOrder.end());
    for (int i = 0; i < int(tabOrder.size()); ++i)
        if (tabOrder[std::size_t(i)] != i) {
            found.push_back("the tab order has a gap or a double at " + std::to_string(i));
            break;
        }
    return found;
}

const Control* find(const Window& w, std::string_view name)
{
    for (const Control& c : w.controls)
        if (c.name.view() == name)
            return &c;
    return nullptr;
}

} // namespace

TEST(WindowDescription, EveryWindowIsWellFormed)
{
    for (const Window* w : {&kForm1, &kFrmAbout})
        EXPECT_EQ(problems(*w), std::vector<std::string>{}) << w->name.view();
}

TEST(WindowDescription, TheCheckFindsWhatIsWrong)
{
    Control broken[] = {form1::kControls[0], form1::kControls[0], form1::kControls[1]};
    broken[1].rect.left += 100;                // overlaps Text1, and has its name
    broken[2].caption = Text("&Copy");
    broken[2].tabIndex = 5;                    // a gap in the tab order
    broken[2].rect.left = kForm1.clientWidth;  // outside
    const Menu menu[] = {{Text("M"), Text("&Cut"), {}}};
    const std::vector<std::string> found = problems(Window{Text("w"), 11880, 7950, broken, menu});
    EXPECT_EQ(found.size(), 5u) << ::testing::PrintToString(found);
}

TEST(WindowDescription, Form1HasTheSlotGrid)
{
    EXPECT_EQ(kForm1.controls.size(), 24u);
    const Control* text1 = find(kForm1, "Text1");
    ASSERT_TRUE(text1);
    EXPECT_EQ(text1->rect.left, 1680);
    EXPECT_EQ(text1->tabIndex, 0);
    EXPECT_EQ(text1->accessibleName.view(), "Slot 1");
    EXPECT_EQ(text1->font.face, "Courier New");
    ASSERT_TRUE(find(kForm1, "Cmdpaste1"));
    EXPECT_FALSE(find(kForm1, "cmdPaste1"));
    const Control* copy6 = find(kForm1, "cmdCopy6");
    ASSERT_TRUE(copy6);
    EXPECT_EQ(copy6->rect.left, 6360);
    EXPECT_EQ(copy6->rect.top, 5400 + 1680);
    EXPECT_EQ(copy6->tabIndex, 23);
    EXPECT_EQ(copy6->accessibleName.view(), "Copy, slot 6");
    EXPECT_EQ(copy6->command, Command::SlotCopy);
    EXPECT_EQ(copy6->slot, 6);
}

TEST(WindowDescription, AboutTextsAndKeys)
{
    const AboutTexts texts = aboutTexts();
    EXPECT_EQ(texts.caption, "About Tavimor");
    EXPECT_EQ(texts.version, "Version 1.0.10");
    EXPECT_EQ(texts.disclaimer.rfind("\xC2\xA9", 0), 0u);
    EXPECT_EQ(std::count(texts.disclaimer.begin(), texts.disclaimer.end(), '\n'), 1);
    EXPECT_EQ(accessKey(find(kFrmAbout, "cmdSysInfo")->caption.view()), 'S');
    EXPECT_TRUE(find(kFrmAbout, "cmdOK")->isDefault && find(kFrmAbout, "cmdOK")->isCancel);
    EXPECT_EQ(accessKey("Fish && &Chips"), 'C');
}
