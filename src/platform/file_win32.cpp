#include <algorithm>
#include <optional>
#include <vector>

#include "platform/file.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

bool separatore(char c) { return c == '\\' || c == '/'; }

// Nothing there yet, rather than a failure to look.
bool assente(DWORD codice) {
    return codice == ERROR_FILE_NOT_FOUND || codice == ERROR_PATH_NOT_FOUND || codice == ERROR_INVALID_NAME;
}

WIN32_FILE_ATTRIBUTE_DATA attributi(const std::string& percorso, bool& trovato) {
    WIN32_FILE_ATTRIBUTE_DATA dati{};
    trovato = contata_win32("stat", FALSE, [&] {
                  return GetFileAttributesExW(percorso_largo(percorso).c_str(), GetFileExInfoStandard, &dati);
              }) != FALSE;
    return dati;
}

std::string leggi_tutto(HANDLE h, const std::string& percorso, uint64_t massimo) {
    LARGE_INTEGER grandezza{};
    uint64_t spazio = uint64_t{1} << 16;
    if (GetFileSizeEx(h, &grandezza)) spazio = static_cast<uint64_t>(grandezza.QuadPart) + 1;
    std::string contenuto(static_cast<size_t>(std::min(spazio, massimo)), '\0');
    size_t letti = 0;
    while (letti < massimo) {
        if (letti == contenuto.size()) contenuto.resize(static_cast<size_t>(std::min<uint64_t>(2 * letti, massimo)));
        DWORD n = 0;
        const auto chiesti = static_cast<DWORD>(std::min<size_t>(contenuto.size() - letti, 1U << 30));
        if (!contata_win32("read", FALSE, [&] { return ReadFile(h, contenuto.data() + letti, chiesti, &n, nullptr); }))
            throw errore_win32("cannot read", percorso, GetLastError());
        if (n == 0) break;
        letti += n;
    }
    contenuto.resize(letti);
    return contenuto;
}

HANDLE apri_in_lettura(const std::string& percorso) {
    return contata_win32("open", INVALID_HANDLE_VALUE,
                         [&] { return apri(percorso, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN); });
}

}  // namespace

std::string directory_eseguibile() {
    std::wstring percorso(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, percorso.data(), static_cast<DWORD>(percorso.size()));
        if (n == 0) throw errore_win32("cannot locate", "the program", GetLastError());
        if (n < percorso.size()) {
            percorso.resize(n);
            break;
        }
        percorso.resize(percorso.size() * 2);
    }
    return directory_di(stretto(percorso));
}

std::string unisci(const std::string& directory, const std::string& nome) {
    if (directory.empty()) return nome;
    if (separatore(directory.back())) return directory + nome;
    return directory + "\\" + nome;
}

std::string nome_in_percorso(const std::string& percorso) {
    const size_t barra = percorso.find_last_of("\\/:");
    return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

std::string percorso_in_forma_uri(const std::string& percorso) {
    std::string forma = percorso;
    std::replace(forma.begin(), forma.end(), '\\', '/');
    // A drive's path "C:/dir" gains the "/" a URI's path starts with.
    if (forma.size() >= 2 && forma[1] == ':') forma = "/" + forma;
    return forma;
}

std::string percorso_da_forma_uri(const std::string& forma) {
    std::string percorso = forma;
    if (percorso.size() >= 3 && percorso[0] == '/' && percorso[2] == ':') percorso.erase(0, 1);
    std::replace(percorso.begin(), percorso.end(), '/', '\\');
    return percorso;
}

std::string directory_di(const std::string& percorso) {
    const size_t barra = percorso.find_last_of("\\/");
    if (barra == std::string::npos) {
        // "C:name" is a name in drive C's current directory.
        return percorso.size() >= 2 && percorso[1] == ':' ? percorso.substr(0, 2) : ".";
    }
    // The root keeps its separator: "\" and "C:\".
    if (barra == 0 || (barra == 2 && percorso[1] == ':')) return percorso.substr(0, barra + 1);
    return percorso.substr(0, barra);
}

bool esiste(const std::string& percorso) {
    bool trovato = false;
    attributi(percorso, trovato);
    if (trovato) return true;
    const DWORD codice = GetLastError();
    // A disk that fails is not a file that is missing.
    if (!assente(codice)) throw errore_win32("cannot stat", percorso, codice);
    return false;
}

uint64_t dimensione(const std::string& percorso) {
    bool trovato = false;
    const WIN32_FILE_ATTRIBUTE_DATA dati = attributi(percorso, trovato);
    if (!trovato) throw errore_win32("cannot stat", percorso, GetLastError());
    return (uint64_t{dati.nFileSizeHigh} << 32) | dati.nFileSizeLow;
}

std::vector<std::string> elenca(const std::string& directory) {
    WIN32_FIND_DATAW voce{};
    const HANDLE ricerca = contata_win32("opendir", INVALID_HANDLE_VALUE, [&] {
        return FindFirstFileW(percorso_largo(unisci(directory.empty() ? "." : directory, "*")).c_str(), &voce);
    });
    std::vector<std::string> nomi;
    if (ricerca == INVALID_HANDLE_VALUE) {
        // An empty drive root has not even "." to find.
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return nomi;
        throw errore_win32("cannot list", directory, GetLastError());
    }
    do {
        const std::wstring nome = voce.cFileName;
        if (nome != L"." && nome != L"..") nomi.push_back(stretto(nome));
    } while (FindNextFileW(ricerca, &voce));
    FindClose(ricerca);
    return nomi;
}

void elimina(const std::string& percorso) {
    if (!contata_win32("unlink", FALSE, [&] { return DeleteFileW(percorso_largo(percorso).c_str()); }))
        throw errore_win32("cannot delete", percorso, GetLastError());
}

void crea_directory(const std::string& percorso) {
    if (!contata_win32("mkdir", FALSE, [&] { return CreateDirectoryW(percorso_largo(percorso).c_str(), nullptr); }) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
        throw errore_win32("cannot create", percorso, GetLastError());
}

std::string leggi(const std::string& percorso, uint64_t massimo) {
    const Handle h(apri_in_lettura(percorso));
    if (!h.valido()) throw errore_win32("cannot open", percorso, GetLastError());
    return leggi_tutto(h.get(), percorso, massimo);
}

FileInLettura::FileInLettura(std::string percorso) : percorso_(std::move(percorso)) {
    Handle h(apri_in_lettura(percorso_));
    if (!h.valido()) throw errore_win32("cannot open", percorso_, GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!contata_win32("fstat", FALSE, [&] { return GetFileInformationByHandle(h.get(), &info); }))
        throw errore_win32("cannot read", percorso_, GetLastError());
    // A console, a pipe or a directory is refused unread.
    if (GetFileType(h.get()) != FILE_TYPE_DISK || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        throw ErroreFile("cannot read", percorso_, "not a regular file");
    dimensione_ = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    fd_ = come_intero(h.rilascia());
}

FileInLettura::~FileInLettura() { CloseHandle(come_handle(fd_)); }

std::string FileInLettura::leggi(uint64_t massimo) const { return leggi_tutto(come_handle(fd_), percorso_, massimo); }

std::string FileInLettura::leggi_da(uint64_t posizione, size_t quanti) const {
    std::string contenuto(quanti, '\0');
    size_t letti = 0;
    while (letti < quanti) {
        OVERLAPPED dove = alla_posizione(posizione + letti);
        DWORD n = 0;
        const auto chiesti = static_cast<DWORD>(std::min<size_t>(quanti - letti, 1U << 30));
        if (!contata_win32("pread", FALSE,
                           [&] { return ReadFile(come_handle(fd_), contenuto.data() + letti, chiesti, &n, &dove); })) {
            if (GetLastError() == ERROR_HANDLE_EOF) break;
            throw errore_win32("cannot read", percorso_, GetLastError());
        }
        if (n == 0) break;
        letti += n;
    }
    contenuto.resize(letti);
    return contenuto;
}

// The volume's serial number and the file's index name a file as device and
// inode do; a directory opens only with backup semantics.
std::optional<IdentitaFile> identita_file(const std::string& percorso) {
    const Handle h(contata_win32("stat", INVALID_HANDLE_VALUE,
                                 [&] { return apri(percorso, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS); }));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h.valido() || !GetFileInformationByHandle(h.get(), &info)) return std::nullopt;
    return IdentitaFile{info.dwVolumeSerialNumber, (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

bool stesso_file(const std::string& a, const std::string& b) {
    const std::optional<IdentitaFile> ia = identita_file(a);
    return ia && ia == identita_file(b);
}

void sincronizza_directory(const std::string& directory) {
    // Renames made with MOVEFILE_WRITE_THROUGH are on the disk already; a
    // directory that cannot be opened is still an error.
    const Handle h(contata_win32("open", INVALID_HANDLE_VALUE,
                                 [&] { return apri(directory, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS); }));
    if (!h.valido()) throw errore_win32("cannot sync", directory, GetLastError());
}

}  // namespace compattatore::piattaforma
