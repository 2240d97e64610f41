#pragma once

// A stand-in for Windows' annotation services that records what the program
// asks of them. Wine's own answer E_NOTIMPL and keep nothing, so no name set
// this way can be read back under Wine.
#include "WideText.h"
#include "WindowsApi.h"

#include <initguid.h>
#include <oleacc.h>

#include <map>
#include <string>

namespace tavimor::test {

class RecordingAnnotations final : public IAccPropServices
{
public:
    std::map<HWND, std::string> names; // set with OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME
    int cleared = 0;
    int otherCalls = 0;

    HRESULT STDMETHODCALLTYPE SetHwndPropStr(HWND hwnd, DWORD object, DWORD child, MSAAPROPID prop, LPCWSTR text) override
    {
        if (object == DWORD(OBJID_CLIENT) && child == CHILDID_SELF && prop == PROPID_ACC_NAME)
            names[hwnd] = win32::narrow(text);
        else
            ++otherCalls;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ClearHwndProps(HWND hwnd, DWORD, DWORD, const MSAAPROPID*, int) override
    {
        cleared += names.erase(hwnd) ? 1 : 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = (iid == IID_IUnknown || iid == IID_IAccPropServices) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives as long as the test
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // What the program never asks for.
    HRESULT STDMETHODCALLTYPE SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return other(); }
    HRESULT STDMETHODCALLTYPE SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                            AnnoScope) override
    {
        return other();
    }
    HRESULT STDMETHODCALLTYPE ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return other(); }
    HRESULT STDMETHODCALLTYPE SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return other(); }
    HRESULT STDMETHODCALLTYPE SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                                AnnoScope) override
    {
        return other();
    }
    HRESULT STDMETHODCALLTYPE ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return other(); }
    HRESULT STDMETHODCALLTYPE DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override
    {
        return other();
    }
    HRESULT STDMETHODCALLTYPE SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return other(); }
    HRESULT STDMETHODCALLTYPE SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return other(); }
    HRESULT STDMETHODCALLTYPE SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                                 AnnoScope) override
    {
        return other();
    }
    HRESULT STDMETHODCALLTYPE ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return other(); }
    HRESULT STDMETHODCALLTYPE ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return other(); }
    HRESULT STDMETHODCALLTYPE DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override
    {
        return other();
    }

private:
    HRESULT other()
    {
        ++otherCalls;
        return E_NOTIMPL;
    }
};

} // namespace tavimor::test
