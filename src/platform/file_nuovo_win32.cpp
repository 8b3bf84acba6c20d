#include <algorithm>
#include <random>
#include <set>
#include <utility>

#include "platform/file.h"
#include "platform/temporanei.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

// The temporary's name: the file's name, a dot and six random characters.
constexpr std::string_view CODA_TEMPORANEO = ".XXXXXX";

// A free name beside `percorso` for `crea`, which is false, with the
// system's error, when it fails; tells whether it succeeded in the end.
template <class F>
bool con_nome_libero(const std::string& percorso, std::string& nome, F crea) {
    static constexpr std::string_view CIFRE = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 caso{std::random_device{}()};
    nome = percorso + std::string(CODA_TEMPORANEO);
    const size_t coda = percorso.size() + 1;
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        uint64_t estratto = caso();
        for (size_t i = coda; i < nome.size(); ++i, estratto /= CIFRE.size()) nome[i] = CIFRE[estratto % CIFRE.size()];
        if (crea()) return true;
        const DWORD codice = GetLastError();
        if (codice != ERROR_FILE_EXISTS && codice != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

// What stops a file from being replaced, in words: Windows refuses to
// replace a file another program holds open, or one marked read-only.
ErroreFile non_sostituibile(const std::string& percorso, DWORD codice) {
    switch (codice) {
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
        case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
            return {"cannot replace", percorso, "the file is read-only or open in another program"};
        default: return errore_win32("cannot replace", percorso, codice);
    }
}

bool sposta(const std::string& da, const std::string& a, DWORD modo) {
    return contata_win32("rename", FALSE,
                         [&] { return MoveFileExW(percorso_largo(da).c_str(), percorso_largo(a).c_str(), modo); }) != 0;
}

}  // namespace

size_t nome_piu_lungo(const std::string& directory) {
    DWORD limite = 255;  // NTFS, FAT with long names, and most shares
    std::wstring radice(MAX_PATH + 1, L'\0');
    if (GetVolumePathNameW(percorso_largo(directory.empty() ? "." : directory).c_str(), radice.data(),
                           static_cast<DWORD>(radice.size())))
        GetVolumeInformationW(radice.c_str(), nullptr, 0, nullptr, &limite, nullptr, nullptr, 0);
    return static_cast<size_t>(limite) - CODA_TEMPORANEO.size();
}

FileNuovo::FileNuovo(std::string percorso) : percorso_(std::move(percorso)), destinazione_(percorso_) {
    const DWORD attributi = contata_win32("stat", INVALID_FILE_ATTRIBUTES,
                                          [&] { return GetFileAttributesW(percorso_largo(percorso_).c_str()); });
    if (attributi == INVALID_FILE_ATTRIBUTES) {
        const DWORD codice = GetLastError();
        if (codice != ERROR_FILE_NOT_FOUND && codice != ERROR_PATH_NOT_FOUND)
            throw errore_win32("cannot replace", percorso_, codice);
    } else if ((attributi & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw ErroreFile("cannot replace", percorso_, EISDIR);
    }
    // Created and registered with Ctrl-C waiting, so that it comes between neither.
    SegnaliSospesi sospesi;
    HANDLE h = INVALID_HANDLE_VALUE;
    if (!con_nome_libero(destinazione_, temporaneo_, [&] {
            h = contata_win32("open", INVALID_HANDLE_VALUE,
                              [&] { return apri(temporaneo_, GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL); });
            return h != INVALID_HANDLE_VALUE;
        })) {
        const DWORD codice = GetLastError();
        temporaneo_.clear();
        throw errore_win32("cannot create", percorso_, codice);
    }
    fd_ = come_intero(h);
    posto_ = registra_temporaneo(temporaneo_);
}

FileNuovo::~FileNuovo() { rimuovi(); }

void FileNuovo::rimuovi() {
    if (fd_ >= 0) CloseHandle(come_handle(std::exchange(fd_, -1)));
    if (temporaneo_.empty()) return;  // renamed
    SegnaliSospesi sospesi;
    contata_win32("unlink", FALSE, [&] { return DeleteFileW(percorso_largo(temporaneo_).c_str()); });
    temporaneo_.clear();
    rilascia_temporaneo(std::exchange(posto_, -1));
}

void FileNuovo::abbandona(const char* operazione) {
    const DWORD codice = GetLastError();
    if (fd_ >= 0) CloseHandle(come_handle(std::exchange(fd_, -1)));
    throw errore_win32(operazione, percorso_, codice);
}

void FileNuovo::scrivi(std::string_view byte) {
    scrivi_da(seguito_, byte);
    seguito_ += byte.size();
}

void FileNuovo::scrivi_da(uint64_t posizione, std::string_view byte) {
    const char* dati = byte.data();
    size_t restanti = byte.size();
    while (restanti > 0) {
        OVERLAPPED dove = alla_posizione(posizione);
        DWORD n = 0;
        const auto chiesti = static_cast<DWORD>(std::min<size_t>(restanti, 1U << 30));
        if (!contata_win32("pwrite", FALSE, [&] { return WriteFile(come_handle(fd_), dati, chiesti, &n, &dove); }))
            abbandona("cannot write");
        dati += n;
        restanti -= n;
        posizione += n;
    }
}

void FileNuovo::chiudi(bool sincronizza) {
    if (sincronizza && !contata_win32("fsync", FALSE, [&] { return FlushFileBuffers(come_handle(fd_)); }))
        abbandona("cannot write");
    if (!CloseHandle(come_handle(std::exchange(fd_, -1))) || chiamata_guasta("close")) abbandona("cannot write");
}

void FileNuovo::rinomina() {
    FileNuovo* solo = this;
    rinomina_insieme({&solo, 1});
}

void rinomina_insieme(std::span<FileNuovo* const> file, bool sincronizza) {
    // Every place first: a directory in the way fails the set before any file moves.
    for (FileNuovo* f : file) {
        const DWORD attributi = contata_win32("lstat", INVALID_FILE_ATTRIBUTES, [&] {
            return GetFileAttributesW(percorso_largo(f->destinazione_).c_str());
        });
        if (attributi == INVALID_FILE_ATTRIBUTES) {
            const DWORD codice = GetLastError();
            if (codice == ERROR_FILE_NOT_FOUND || codice == ERROR_PATH_NOT_FOUND) continue;
            throw errore_win32("cannot replace", f->percorso_, codice);
        }
        if ((attributi & FILE_ATTRIBUTE_DIRECTORY) != 0) throw ErroreFile("cannot replace", f->percorso_, EISDIR);
        // Windows replaces no read-only file; said before any file moves.
        if ((attributi & FILE_ATTRIBUTE_READONLY) != 0)
            throw ErroreFile("cannot replace", f->percorso_, "the file is read-only");
    }
    const DWORD scrittura = sincronizza ? MOVEFILE_WRITE_THROUGH : 0;
    // Puts back the files before `i`: an old file kept under its
    // temporary's name takes its place again; a new name is taken back.
    const auto rimetti = [&](size_t i) {
        for (size_t j = i; j-- > 0;) {
            FileNuovo& f = *file[j];
            if (f.scambiato_)
                ReplaceFileW(percorso_largo(f.destinazione_).c_str(), percorso_largo(f.temporaneo_).c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
            else if (f.al_posto_)
                MoveFileExW(percorso_largo(f.destinazione_).c_str(), percorso_largo(f.temporaneo_).c_str(), 0);
            f.scambiato_ = f.al_posto_ = false;
        }
    };
    SegnaliSospesi sospesi;
    for (size_t i = 0; i < file.size(); ++i) {
        FileNuovo& f = *file[i];
        if (sposta(f.temporaneo_, f.destinazione_, scrittura)) {
            f.al_posto_ = true;  // a new name, taken back by renaming it
            continue;
        }
        DWORD codice = GetLastError();
        if (codice == ERROR_ALREADY_EXISTS || codice == ERROR_FILE_EXISTS) {
            // The old file stays, under a name of its own, until the whole
            // set is in place.
            std::string riserva;
            if (con_nome_libero(f.destinazione_, riserva, [&] {
                    return contata_win32("renameat2", FALSE, [&] {
                               return ReplaceFileW(
                                   percorso_largo(f.destinazione_).c_str(), percorso_largo(f.temporaneo_).c_str(),
                                   percorso_largo(riserva).c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
                           }) != FALSE;
                })) {
                rilascia_temporaneo(std::exchange(f.posto_, registra_temporaneo(riserva)));
                f.temporaneo_ = riserva;
                f.scambiato_ = true;
                continue;
            }
            codice = GetLastError();
        }
        rimetti(i);
        throw non_sostituibile(f.percorso_, codice);
    }
    // The set is in place: the old files kept aside go.
    for (FileNuovo* f : file) {
        if (f->scambiato_ &&
            !contata_win32("unlink", FALSE, [&] { return DeleteFileW(percorso_largo(f->temporaneo_).c_str()); }))
            continue;
        f->temporaneo_.clear();
        rilascia_temporaneo(std::exchange(f->posto_, -1));
    }
}

}  // namespace compattatore::piattaforma
