// Runs a program with its arguments and returns once it and every program it started have
// ended, with its exit status: an uninstaller that copies itself elsewhere, starts the copy
// and returns at once is done only when the copy is. The program runs in a job that no process
// can leave, and the job says when its last process has ended.
//   runtoend PROGRAM [ARGUMENT...]
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

int fail(const wchar_t* what) {
    std::fwprintf(stderr, L"runtoend: %ls failed (%lu)\n", what, GetLastError());
    return 125;
}

// The command line after this program's own name, as it was given.
const wchar_t* arguments() {
    const wchar_t* line = GetCommandLineW();
    const bool quoted = *line == L'"';
    for (++line; *line != L'\0' && (quoted ? *line != L'"' : *line != L' ' && *line != L'\t');
         ++line) {
    }
    if (quoted && *line == L'"')
        ++line;
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

} // namespace

int main() {
    std::wstring command = arguments();
    if (command.empty())
        return fail(L"naming the program");
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    const HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association{job, port};
    if (job == nullptr || port == nullptr ||
        !SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association,
                                 sizeof association))
        return fail(L"making the job");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &process))
        return fail(L"starting the program");
    if (!AssignProcessToJobObject(job, process.hProcess)) {
        TerminateProcess(process.hProcess, 125);
        return fail(L"putting the program in the job");
    }
    ResumeThread(process.hThread);

    DWORD message = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED detail = nullptr;
    do {
        if (!GetQueuedCompletionStatus(port, &message, &key, &detail, INFINITE))
            return fail(L"waiting for the job");
    } while (message != JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO);

    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    return static_cast<int>(status);
}
