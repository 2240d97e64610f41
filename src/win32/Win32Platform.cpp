#include "Win32Platform.h"

#include "FileErrors.h"
#include "WideText.h"
#include "Version.h"
#include "platform/TextCodec.h"

#include <commctrl.h>

#include <cstring>
#include <cwchar>

namespace tavimor::win32 {

namespace {

// Holds the clipboard open for one step. Another program may hold it: a
// clipboard manager does, for a moment, whenever the clipboard changes hands,
// and it may be waiting for this program's window to answer that it lost the
// clipboard. So the step answers such messages while it waits, and gives up
// after half a second.
class OpenClipboard
{
public:
    explicit OpenClipboard(HWND owner)
    {
        for (int tries = 0; !::OpenClipboard(owner); ++tries) {
            if (tries == 25)
                throw PlatformError(kClipboardHeld);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
            MSG sent;
            ::PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE); // handles sent messages only
        }
    }
    ~OpenClipboard() { ::CloseClipboard(); }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
};

// Esc reaches a dialog as the command IDCANCEL. A task dialog whose buttons
// have no Cancel may ignore that command (Wine's does), while every one treats
// its close box as cancelling: Esc closes the box as the close box does.
LRESULT CALLBACK escapeCloses(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && lParam == 0) {
        ::PostMessageW(box, WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(box, escapeCloses, id);
    return ::DefSubclassProc(box, message, wParam, lParam);
}

HRESULT CALLBACK questionEvents(HWND box, UINT event, WPARAM, LPARAM, LONG_PTR)
{
    if (event == TDN_CREATED)
        ::SetWindowSubclass(box, escapeCloses, 1, 0);
    return S_OK;
}

} // namespace

Win32Platform::Win32Platform()
    : m_clipboardOwner(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
{
}

Win32Platform::~Win32Platform()
{
    if (m_clipboardOwner)
        ::DestroyWindow(m_clipboardOwner);
}

void Win32Platform::ShowMessage(const std::string& text)
{
    const HWND owner = ::GetActiveWindow();
    ::MessageBoxW(owner, wide(text).c_str(), wide(kApplicationTitle).c_str(), MB_OK | (owner ? 0 : MB_TASKMODAL));
}

bool Win32Platform::AskYesNo(const std::string& text)
{
    // A task dialog rather than a message box: a Yes/No message box cannot be
    // left by Esc or its close box, and here both must answer no (IDCANCEL).
    const std::wstring content = wide(text);
    const std::wstring caption = wide(kApplicationTitle);
    TASKDIALOGCONFIG question{};
    question.cbSize = sizeof question;
    question.hwndParent = ::GetActiveWindow();
    question.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    question.dwCommonButtons = TDCBF_YES_BUTTON | TDCBF_NO_BUTTON;
    question.pszWindowTitle = caption.c_str();
    question.pszMainIcon = TD_WARNING_ICON;
    question.pszContent = content.c_str();
    question.nDefaultButton = IDNO;
    question.pfCallback = questionEvents;
    int pressed = IDNO;
    if (FAILED(::TaskDialogIndirect(&question, &pressed, nullptr, nullptr)))
        throw PlatformError("the question could not be shown");
    return pressed == IDYES;
}

void Win32Platform::ClipboardClear()
{
    OpenClipboard open(m_clipboardOwner);
    if (!::EmptyClipboard())
        throw PlatformError("the clipboard could not be emptied: " + systemMessage(::GetLastError()));
}

void Win32Platform::ClipboardSetText(const std::string& text)
{
    const std::wstring unicode = wide(text); // CR LF already: the Windows convention
    const std::size_t bytes = (unicode.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        throw PlatformError("there is not enough memory for the clipboard");
    std::memcpy(::GlobalLock(memory), unicode.c_str(), bytes);
    ::GlobalUnlock(memory);
    OpenClipboard open(m_clipboardOwner);
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_UNICODETEXT, memory)) {
        const DWORD error = ::GetLastError();
        ::GlobalFree(memory); // still ours: the clipboard did not take it
        throw PlatformError("the clipboard did not take the text: " + systemMessage(error));
    }
}

bool Win32Platform::ClipboardHasText()
{
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) || ::IsClipboardFormatAvailable(CF_TEXT);
}

std::string Win32Platform::ClipboardGetText()
{
    OpenClipboard open(m_clipboardOwner);
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT); // Windows converts CF_TEXT itself
    if (!data)
        throw PlatformError("the clipboard's text could not be read: " + systemMessage(::GetLastError()));
    const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!chars)
        throw PlatformError("the clipboard's text could not be read: " + systemMessage(::GetLastError()));
    // The text ends at its NUL, or at the end of its memory when another program left none.
    const std::size_t length = ::wcsnlen(chars, ::GlobalSize(data) / sizeof(wchar_t));
    std::string text = narrow({chars, length});
    ::GlobalUnlock(data);
    return withCrLf(std::move(text));
}

void Win32Platform::StartProgram(const std::string& path)
{
    if (path.empty())
        throw PlatformError(describeFileError(path, "no program is named"));
    const std::wstring program = wide(path);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL; // style 1: a normal window that takes the focus
    PROCESS_INFORMATION started{};
    // A file that cannot be run must fail here, not stop the user at a system error box.
    DWORD previousMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    const BOOL ok = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                     CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &started);
    const DWORD error = ::GetLastError();
    ::SetThreadErrorMode(previousMode, nullptr);
    if (!ok)
        throw PlatformError(describeFileError(path, systemMessage(error)));
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
}

bool Win32Platform::FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(longPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Platform::SystemFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? narrow({folder, length}) : std::string();
}

} // namespace tavimor::win32
