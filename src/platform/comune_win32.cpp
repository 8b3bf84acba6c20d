#include "platform/win32.h"

#include <cerrno>

namespace compattatore::piattaforma {

std::wstring largo(std::string_view testo) {
    if (testo.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), nullptr, 0);
    std::wstring r(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), r.data(), n);
    return r;
}

std::string stretto(std::wstring_view testo) {
    if (testo.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), nullptr, 0, nullptr, nullptr);
    std::string r(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), r.data(), n, nullptr, nullptr);
    return r;
}

std::wstring percorso_largo(const std::string& percorso) {
    std::wstring w = largo(percorso);
    // Room for the temporary's tail and a file name below a directory.
    constexpr size_t LIMITE = MAX_PATH - 20;
    if (w.size() < LIMITE || w.starts_with(LR"(\\?\)")) return w;
    const DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0) return w;
    std::wstring assoluto(n, L'\0');
    assoluto.resize(GetFullPathNameW(w.c_str(), n, assoluto.data(), nullptr));
    // A UNC path \\server\share takes the form \\?\UNC\server\share.
    if (assoluto.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + assoluto.substr(2);
    return LR"(\\?\)" + assoluto;
}

namespace {

// Windows tells a path that runs through a file as a missing one; POSIX, and
// so the messages, as one that is not a directory.
bool attraverso_un_file(const std::string& percorso) {
    for (size_t barra = percorso.find_first_of("\\/"); barra != std::string::npos;
         barra = percorso.find_first_of("\\/", barra + 1)) {
        if (barra == 0 || percorso[barra - 1] == ':') continue;
        const DWORD attributi = GetFileAttributesW(percorso_largo(percorso.substr(0, barra)).c_str());
        if (attributi == INVALID_FILE_ATTRIBUTES) return false;
        if ((attributi & FILE_ATTRIBUTE_DIRECTORY) == 0) return true;
    }
    return false;
}

}  // namespace

ErroreFile errore_win32(const std::string& operazione, const std::string& file, DWORD codice) {
    switch (codice) {
        case ERROR_PATH_NOT_FOUND: return {operazione, file, attraverso_un_file(file) ? ENOTDIR : ENOENT};
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH: return {operazione, file, ENOENT};
        case ERROR_ACCESS_DENIED: return {operazione, file, EACCES};
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return {operazione, file, "the file is open in another program"};
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return {operazione, file, EEXIST};
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return {operazione, file, ENOSPC};
        case ERROR_DIRECTORY: return {operazione, file, ENOTDIR};
        case ERROR_FILENAME_EXCED_RANGE: return {operazione, file, ENAMETOOLONG};
        case ERROR_WRITE_PROTECT: return {operazione, file, EROFS};
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return {operazione, file, ENOMEM};
        default: return {operazione, file, EIO};
    }
}

OVERLAPPED alla_posizione(uint64_t posizione) {
    OVERLAPPED dove{};
    // The offset's halves share a union with a pointer: no other way in.
    dove.Offset = static_cast<DWORD>(posizione);            // NOLINT(cppcoreguidelines-pro-type-union-access)
    dove.OffsetHigh = static_cast<DWORD>(posizione >> 32);  // NOLINT(cppcoreguidelines-pro-type-union-access)
    return dove;
}

HANDLE apri(const std::string& percorso, DWORD accesso, DWORD creazione, DWORD attributi) {
    // Shared as a POSIX file is: others may read, write, rename and delete it.
    return CreateFileW(percorso_largo(percorso).c_str(), accesso,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, creazione, attributi, nullptr);
}

}  // namespace compattatore::piattaforma
