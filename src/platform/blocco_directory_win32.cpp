#include "platform/blocco_directory.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

// A directory cannot be locked on Windows as on POSIX: the lock is a named
// mutex of the session, named by the directory's volume and file index, so
// that two names of one directory share it. Null when the directory cannot
// be opened.
HANDLE mutex_di(const std::string& directory) {
    const Handle h(apri(directory.empty() ? "." : directory, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h.valido() || !GetFileInformationByHandle(h.get(), &info)) return nullptr;
    const std::wstring nome = L"Local\\compattatore-" + std::to_wstring(info.dwVolumeSerialNumber) + L"-" +
                              std::to_wstring((uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow);
    return CreateMutexW(nullptr, FALSE, nome.c_str());
}

}  // namespace

BloccoDirectory::BloccoDirectory(const std::string& directory, const std::function<void()>& in_attesa) {
    const HANDLE mutex = mutex_di(directory);
    if (mutex == nullptr) return;
    DWORD esito = WaitForSingleObject(mutex, 0);
    if (esito == WAIT_TIMEOUT) {
        in_attesa();
        esito = WaitForSingleObject(mutex, INFINITE);
    }
    // WAIT_ABANDONED: a run that held it ended; the lock is this run's now.
    if (esito != WAIT_OBJECT_0 && esito != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return;
    }
    fd_ = come_intero(mutex);
}

BloccoDirectory::~BloccoDirectory() {
    if (fd_ < 0) return;
    ReleaseMutex(come_handle(fd_));
    CloseHandle(come_handle(fd_));
}

}  // namespace compattatore::piattaforma
