// The Windows registry backend against the real registry (under Wine in CI),
// with values that the test writes itself through the Win32 API.
#include "FakePlatform.h"
#include "about/SysInfo.h"
#include "WindowsRegistry.h"

#include <gtest/gtest.h>
#include "WindowsApi.h"

#include <string>
#include <vector>

using namespace tavimor;
using namespace tavimor::test;

namespace {

const std::string kTestKey = "SOFTWARE\\Tavimor Tests";

// The real backend, counting the keys it closes so that the tests can see
// that every path closes what it opened. Wine grants any access; Windows
// refuses a process that is not elevated any access under HKEY_LOCAL_MACHINE
// that changes something, so every open that asks for one fails the test.
class CountingRegistry : public WindowsRegistry
{
public:
    int opened = 0;
    int closed = 0;
    long RegOpenKeyEx(Key root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      Key& result) override
    {
        EXPECT_EQ(access & kWriteAccess, 0u) << subKey << ": asks for 0x" << std::hex << access;
        const long status = WindowsRegistry::RegOpenKeyEx(root, subKey, options, access, result);
        if (status == 0)
            ++opened;
        return status;
    }
    long RegCloseKey(Key key) override
    {
        const long status = WindowsRegistry::RegCloseKey(key);
        if (status == 0)
            ++closed;
        return status;
    }
};

// Creates a key under HKEY_LOCAL_MACHINE for one test and deletes it afterwards.
class ScratchKey
{
public:
    explicit ScratchKey(const std::string& name)
        : m_name(name)
    {
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_name.c_str());
        const LONG status = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                              nullptr, &m_key, nullptr);
        EXPECT_EQ(status, ERROR_SUCCESS) << m_name;
    }
    ~ScratchKey()
    {
        ::RegCloseKey(m_key);
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_name.c_str());
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    void set(const std::string& valueName, DWORD type, const std::string& bytes)
    {
        const LONG status = ::RegSetValueExA(m_key, valueName.c_str(), 0, type,
                                             reinterpret_cast<const BYTE*>(bytes.data()),
                                             static_cast<DWORD>(bytes.size()));
        ASSERT_EQ(status, ERROR_SUCCESS) << valueName;
    }

private:
    std::string m_name;
    HKEY m_key = nullptr;
};

std::string littleEndian(DWORD number)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

TEST(WindowsRegistry, GetKeyValueReadsWhatWasWritten)
{
    struct Case
    {
        const char* valueName;
        DWORD type;
        std::string bytes;
        bool found;
        std::string value;
    };
    const Case cases[] = {
        {"text with its zero", REG_SZ, std::string("C:\\Tools\\info.exe\0", 18), true, "C:\\Tools\\info.exe"},
        // RegSetValueExA stores exactly the bytes given, so the zero really is missing.
        {"text without zero", REG_SZ, "C:\\Tools", true, "C:\\Tools"},
        {"number 0x102", REG_DWORD, littleEndian(0x102), true, "258"},
        {"number 0x80000000", REG_DWORD, littleEndian(0x80000000u), true, "2147483648"},
        {"binary keeps the value", REG_BINARY, "\x01\x02\x03", true, "as passed"},
        {"expandable text", REG_EXPAND_SZ, std::string("%SystemRoot%\\msinfo32.exe\0", 26), true,
         "C:\\windows\\msinfo32.exe"},
        {"1024 bytes fit", REG_SZ, std::string(1023, 'x') + '\0', true, std::string(1023, 'x')},
        {"over 1024 bytes fails", REG_SZ, std::string(1500, 'y') + '\0', false, ""},
        {"empty fails", REG_SZ, "", false, ""},
    };
    ScratchKey key(kTestKey);
    for (const Case& c : cases)
        key.set(c.valueName, c.type, c.bytes);

    for (const Case& c : cases) {
        CountingRegistry registry;
        std::string value = "as passed";
        EXPECT_EQ(GetKeyValue(registry, Registry::kLocalMachine, kTestKey, c.valueName, value), c.found)
            << c.valueName;
        EXPECT_EQ(value, c.value) << c.valueName;
        EXPECT_EQ(registry.opened, 1) << c.valueName;
        EXPECT_EQ(registry.closed, 1) << c.valueName;
    }
}

TEST(WindowsRegistry, MissingKeyAndMissingValueFail)
{
    ScratchKey key(kTestKey);
    CountingRegistry registry;
    std::string value = "x";
    EXPECT_FALSE(GetKeyValue(registry, Registry::kLocalMachine, kTestKey + "\\Nothing", "PATH", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.opened, 0);

    value = "x";
    EXPECT_FALSE(GetKeyValue(registry, Registry::kLocalMachine, kTestKey, "PATH", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.opened, 1);
    EXPECT_EQ(registry.closed, 1);
}

TEST(WindowsRegistry, ReportsTheHostsStatusTypeAndByteCount)
{
    ScratchKey key(kTestKey);
    key.set("big", REG_BINARY, std::string(2000, '\x7F'));
    WindowsRegistry registry;
    Registry::Key opened = 0;
    ASSERT_EQ(registry.RegOpenKeyEx(Registry::kLocalMachine, kTestKey, 0, Registry::kAccess, opened), 0);
    unsigned char buffer[1024];
    std::uint32_t type = 0;
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(registry.RegQueryValueEx(opened, "big", type, buffer, size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 2000u); // the size the value needs
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_BINARY));
    EXPECT_EQ(registry.RegCloseKey(opened), 0);
}

TEST(WindowsRegistry, StartSysInfoFollowsTheRegistry)
{
    const std::string msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string location = "SOFTWARE\\Microsoft\\Shared Tools Location";
    CountingRegistry registry;
    FakePlatform platform;
    platform.hostRegistry = &registry;
    {
        // Only the shared tools folder is named: the tool in it is started if it is there.
        ScratchKey key(location);
        key.set("MSINFO", REG_SZ, std::string("C:\\Shared\\MSInfo\0", 17));
        platform.existingFiles = {"C:\\Shared\\MSInfo\\MSINFO32.EXE"};
        StartSysInfo(platform);
        EXPECT_EQ(platform.started, std::vector<std::string>{"C:\\Shared\\MSInfo\\MSINFO32.EXE"});
        platform.existingFiles.clear();
        StartSysInfo(platform);
        EXPECT_EQ(platform.messages, std::vector<std::string>{"System Information Is Unavailable At This Time"});
    }
    {
        // The tool's own entry wins and is started without looking for the file.
        ScratchKey key(msinfo);
        key.set("PATH", REG_SZ, std::string("C:\\Somewhere\\msinfo32.exe\0", 26));
        platform.started.clear();
        StartSysInfo(platform);
        EXPECT_EQ(platform.started, std::vector<std::string>{"C:\\Somewhere\\msinfo32.exe"});
    }
    EXPECT_EQ(registry.opened, registry.closed);
}

// The program's version record, linked into this test program from the same resource script.
TEST(WindowsResources, VersionRecordNamesTheVersion)
{
    char path[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 0);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 0);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 10);

    auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT chars = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!::VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars) || !value)
            return std::wstring();
        return std::wstring(value);
    };
    EXPECT_EQ(text(L"FileVersion"), L"1.00.0010");
    EXPECT_EQ(text(L"ProductName"), L"Tavimor");
    EXPECT_EQ(text(L"LegalCopyright"), L"\u00A9 2026 the Tavimor developers");
}
