// Asks Windows whether it trusts a file's Authenticode signature, as Explorer and the UAC prompt
// do, for scripts/windows-check; and makes a certificate authority trusted in the user's root
// store, as a publisher's CA is on a user's machine.
//
//   trustcheck verify FILE     prints WinVerifyTrust's result; exits 0 when it is trusted
//   trustcheck trust CA.der    adds the certificate to the current user's root store
#include <windows.h>
#include <shellapi.h>
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <vector>

int main()
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 3) {
        std::fwprintf(stderr, L"usage: trustcheck verify FILE | trustcheck trust CA.der\n");
        return 2;
    }
    if (std::wcscmp(argv[1], L"trust") == 0) {
        std::ifstream file(argv[2], std::ios::binary);
        const std::vector<char> der{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (!CertAddEncodedCertificateToSystemStoreW(L"ROOT", reinterpret_cast<const BYTE *>(der.data()),
                                                     static_cast<DWORD>(der.size()))) {
            std::fwprintf(stderr, L"trustcheck: cannot trust %ls (error %08lx)\n", argv[2], GetLastError());
            return 2;
        }
        return 0;
    }

    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = argv[2];
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE; // a throwaway CA publishes no revocation list
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    std::wprintf(L"%08lx\n", static_cast<unsigned long>(result));
    return result == ERROR_SUCCESS ? 0 : 1;
}
