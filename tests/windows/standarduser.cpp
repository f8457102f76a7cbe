// Runs a program without administrator rights, for scripts/windows-check: Wine starts every
// process as an administrator, and a user without admin rights is what the installer must
// serve. The program gets this process's token with the Administrators group for deny only,
// as Windows gives an administrator's programs until they are elevated and a standard user's
// always; what it starts inherits that token.
//
//   standarduser <program> [arguments...]
//
// Exits with the program's exit code, or 255 when it could not be started.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

int main()
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) {
        std::fwprintf(stderr, L"usage: standarduser <program> [arguments...]\n");
        return 255;
    }
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += L' ';
        const bool quote = std::wcschr(argv[i], L' ') != nullptr;
        commandLine += quote ? L"\"" + std::wstring(argv[i]) + L"\"" : std::wstring(argv[i]);
    }

    HANDLE token = nullptr;
    HANDLE restricted = nullptr;
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &token)
        || !AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                     0, 0, 0, 0, &administrators)) {
        std::fwprintf(stderr, L"standarduser: no token (error %lu)\n", GetLastError());
        return 255;
    }
    SID_AND_ATTRIBUTES denyOnly = {administrators, 0};
    if (!CreateRestrictedToken(token, 0, 1, &denyOnly, 0, nullptr, 0, nullptr, &restricted)) {
        std::fwprintf(stderr, L"standarduser: no restricted token (error %lu)\n", GetLastError());
        return 255;
    }

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessAsUserW(restricted, nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"standarduser: cannot start %ls (error %lu)\n", argv[1], GetLastError());
        return 255;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 255;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(restricted);
    CloseHandle(token);
    FreeSid(administrators);
    return static_cast<int>(code);
}
