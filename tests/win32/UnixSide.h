#pragma once

// The other side of Wine, for the tests: a Unix shell, for xclip and for files
// that a test looks at with Linux tools. Wine shows the Unix root as Z:.
#include "WideText.h"
#include "WindowsApi.h"

#include <fstream>
#include <string>

namespace tavimor::test {

// A folder of the test's own under /tmp, known to both sides.
struct UnixFolder
{
    std::string unix;
    std::string windows;
    UnixFolder()
    {
        unix = "/tmp/tavimor-wine-" + std::to_string(::GetCurrentProcessId());
        windows = "Z:" + unix;
        for (char& c : windows)
            if (c == '/')
                c = '\\';
        ::CreateDirectoryW(win32::wide(windows).c_str(), nullptr);
    }
    std::string win(const std::string& name) const { return windows + "\\" + name; }
};

inline void putFile(const std::string& windowsPath, const std::string& bytes)
{
    std::ofstream(win32::wide(windowsPath).c_str(), std::ios::binary) << bytes;
}

inline std::string getFile(const std::string& windowsPath)
{
    std::ifstream in(win32::wide(windowsPath).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs a shell script on the Unix side and returns what it wrote to its
// standard output. Wine connects no pipe to a Unix program, and its process
// handle does not wait for it: a file carries the output, another says it ended.
inline std::string unixShell(const std::string& script)
{
    static const std::string place = "/tmp/tavimor-wine-shell-" + std::to_string(::GetCurrentProcessId());
    static const std::string windows = "Z:" + place;
    auto win = [](const std::string& name) {
        std::string path = windows + "/" + name;
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    };
    ::CreateDirectoryW(win32::wide(win("")).c_str(), nullptr);
    ::DeleteFileW(win32::wide(win("done")).c_str());
    // Nothing of the script (xclip stays behind to serve the clipboard) may hold
    // on to the test's own output, or whoever reads that would wait for it.
    putFile(win("run.sh"), "(\n" + script + "\n) >" + place + "/out 2>/dev/null </dev/null\ntouch " + place + "/done\n");
    std::wstring command = win32::wide("/bin/sh " + place + "/run.sh");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return "<the shell did not start>";
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    for (int waited = 0; waited < 60000; waited += 10) {
        if (::GetFileAttributesW(win32::wide(win("done")).c_str()) != INVALID_FILE_ATTRIBUTES)
            return getFile(win("out"));
        ::Sleep(10);
    }
    return "<the shell did not finish>";
}

} // namespace tavimor::test
