// A stand-in for Windows' uiautomationcore.dll, for scripts/windows-check: under Wine no UI
// Automation client can listen to a program, so this one records what the program raises
// instead. It answers that a client listens, and writes each event raised, one line each in
// UTF-8, to the file named by the environment variable UIA_RECORD:
//
//   notification<TAB>name<TAB>control type<TAB>text
//   property<TAB>name<TAB>control type<TAB>property id<TAB>new value (text or number)
//   event<TAB>name<TAB>control type<TAB>event id
//
// where name and control type are the raising element's own. Qt finds these functions at run
// time by name, from the system folder, so the DLL goes into the prefix's system32 with
// WINEDLLOVERRIDES=uiautomationcore=n. The Windows headers of MinGW-w64 10 declare the provider
// interface but not these functions, nor the notification.
#include <uiautomationcore.h>

#include <cwchar>
#include <string>

namespace {

constexpr PROPERTYID ControlTypeProperty = 30003;
constexpr PROPERTYID NameProperty = 30005;

// Tabs and line breaks in a text would split its line.
std::wstring flat(std::wstring text)
{
    for (wchar_t &c : text) {
        if (c == L'\t' || c == L'\r' || c == L'\n')
            c = L' ';
    }
    return text;
}

std::wstring textOf(const VARIANT &value)
{
    if (value.vt == VT_BSTR)
        return flat(value.bstrVal ? value.bstrVal : L"");
    if (value.vt == VT_I4)
        return std::to_wstring(value.lVal);
    if (value.vt == VT_BOOL)
        return value.boolVal ? L"true" : L"false";
    return L"(type " + std::to_wstring(value.vt) + L")";
}

std::wstring property(IRawElementProviderSimple *provider, PROPERTYID id)
{
    VARIANT value;
    VariantInit(&value);
    if (!provider || FAILED(provider->GetPropertyValue(id, &value)))
        return L"?";
    const std::wstring text = textOf(value);
    VariantClear(&value);
    return text;
}

void record(IRawElementProviderSimple *provider, const wchar_t *call, const std::wstring &details)
{
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"UIA_RECORD", path, MAX_PATH))
        return;
    const std::wstring line = std::wstring(call) + L'\t' + property(provider, NameProperty) + L'\t'
                              + property(provider, ControlTypeProperty) + L'\t' + details + L'\n';
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), bytes.data(), size, nullptr, nullptr);
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI UiaClientsAreListening()
{
    return TRUE;
}

// What a client would get back is of no use here: the call only switches Qt's bridge on.
__declspec(dllexport) LRESULT WINAPI UiaReturnRawElementProvider(HWND, WPARAM, LPARAM, IRawElementProviderSimple *)
{
    return 0;
}

__declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND, IRawElementProviderSimple **provider)
{
    if (provider)
        *provider = nullptr;
    return E_NOTIMPL;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationEvent(IRawElementProviderSimple *provider, EVENTID id)
{
    record(provider, L"event", std::to_wstring(id));
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationPropertyChangedEvent(IRawElementProviderSimple *provider,
                                                                            PROPERTYID id, VARIANT, VARIANT value)
{
    record(provider, L"property", std::to_wstring(id) + L'\t' + textOf(value));
    return S_OK;
}

// The kind and the processing (enums of Windows 10 version 1709) are not recorded.
__declspec(dllexport) HRESULT WINAPI UiaRaiseNotificationEvent(IRawElementProviderSimple *provider, int, int,
                                                               BSTR text, BSTR)
{
    record(provider, L"notification", flat(text ? text : L""));
    return S_OK;
}

} // extern "C"
