#include "FakePlatform.h"
#include "about/SysInfo.h"

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;

namespace {

const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocation = "SOFTWARE\\Microsoft\\Shared Tools Location";

} // namespace

TEST(GetKeyValue, DecodesTheRawValue)
{
    struct Case
    {
        const char* name;
        std::uint32_t type;
        std::string bytes;
        bool found;
        std::string value;
    };
    const Case cases[] = {
        {"text with its zero", 1, std::string("C:\\a.exe\0", 9), true, "C:\\a.exe"},
        {"text without zero", 1, "C:\\a.exe", true, "C:\\a.exe"},
        {"only one zero dropped", 1, std::string("ab\0\0", 4), true, std::string("ab\0", 3)},
        {"windows-1252 text", 1, "caf\xE9", true, "caf\xC3\xA9"},
        {"number 0x102", 4, std::string("\x02\x01\0\0", 4), true, "258"},
        {"number 0x80000000 unsigned", 4, std::string("\0\0\0\x80", 4), true, "2147483648"},
        {"number 0xFFFFFFFF", 4, "\xFF\xFF\xFF\xFF", true, "4294967295"},
        {"other type keeps the value", 3, "\x01\x02", true, "as passed"},
        {"expandable text, expanded by the host", 2, std::string("%SystemRoot%\\x\0", 15), true, "%SystemRoot%\\x"},
        {"empty data fails", 1, "", false, ""},
        {"1024 bytes fit", 1, std::string(1024, 'x'), true, std::string(1024, 'x')},
        {"1025 bytes fail", 1, std::string(1025, 'x'), false, ""},
    };
    for (const Case& c : cases) {
        ScriptedRegistry registry;
        registry.keys[kMsinfo]["PATH"] = {c.type, c.bytes};
        std::string value = "as passed";
        EXPECT_EQ(GetKeyValue(registry, Registry::kLocalMachine, kMsinfo, "PATH", value), c.found) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
        EXPECT_EQ(registry.closed, 1) << c.name;
    }
}

TEST(GetKeyValue, MissingKeyOrValueFailsAndStillCloses)
{
    ScriptedRegistry registry;
    registry.keys[kMsinfo] = {};
    std::string value = "x";
    EXPECT_FALSE(GetKeyValue(registry, Registry::kLocalMachine, "SOFTWARE\\Nothing", "PATH", value));
    EXPECT_EQ(value, "");
    value = "x";
    EXPECT_FALSE(GetKeyValue(registry, Registry::kLocalMachine, kMsinfo, "PATH", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.closed, 2);
    registry.throwOnQuery = true;
    EXPECT_THROW(GetKeyValue(registry, Registry::kLocalMachine, kMsinfo, "PATH", value), PlatformError);
    EXPECT_EQ(registry.closed, 3);
}

TEST(StartSysInfo, FollowsTheTwoLookups)
{
    const std::string tool = "C:\\Tools\\MSINFO32.EXE";
    struct Case
    {
        const char* name;
        bool step1;
        bool step2;
        bool toolInFolder;
        bool startFails;
        bool throws;
        std::vector<std::string> started;
        bool message;
        bool inSystemFolder = false; // the tool where Windows keeps it
    };
    const Case cases[] = {
        {"step 1 found, started untested", true, false, false, false, false, {"C:\\x\\msinfo.exe"}, false},
        {"step 1 found, start fails", true, false, false, true, false, {}, true},
        {"step 2 folder with the tool", false, true, true, false, false, {tool}, false},
        {"step 2 folder without the tool", false, true, false, false, false, {}, true},
        {"both missing", false, false, false, false, false, {}, true},
        {"both missing, the tool in the system folder", false, false, false, false, false,
         {"C:\\Windows\\system32\\msinfo32.exe"}, false, true},
        {"registry error", true, true, true, false, true, {}, true},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        if (c.step1)
            platform.scriptedRegistry.keys[kMsinfo]["PATH"] = {1, std::string("C:\\x\\msinfo.exe\0", 16)};
        if (c.step2)
            platform.scriptedRegistry.keys[kLocation]["MSINFO"] = {1, "C:\\Tools"};
        if (c.toolInFolder)
            platform.existingFiles.push_back(tool);
        platform.startFails = c.startFails;
        platform.scriptedRegistry.throwOnQuery = c.throws;
        if (c.inSystemFolder) {
            platform.systemFolder = "C:\\Windows\\system32";
            platform.existingFiles.push_back("C:\\Windows\\system32\\msinfo32.exe");
        }
        StartSysInfo(platform);
        EXPECT_EQ(platform.started, c.started) << c.name;
        EXPECT_EQ(platform.messages, c.message ? std::vector<std::string>{kSysInfoUnavailable}
                                               : std::vector<std::string>{})
            << c.name;
        EXPECT_GE(platform.scriptedRegistry.closed, platform.scriptedRegistry.opened) << c.name;
        for (const std::uint32_t access : platform.scriptedRegistry.accessAsked)
            EXPECT_EQ(access & Registry::kWriteAccess, 0u) << c.name << ": asked for 0x" << std::hex << access;
    }
}
