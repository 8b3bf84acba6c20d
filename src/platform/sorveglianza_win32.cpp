#include <algorithm>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "platform/attesa_quiete.h"
#include "platform/sorveglianza.h"
#include "platform/win32.h"

namespace compattatore::piattaforma {

namespace {

constexpr DWORD EVENTI = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

// Set by Ctrl-C, Ctrl-Break or the console's closing while a watch lives.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
HANDLE interruzione = nullptr;

BOOL WINAPI all_evento(DWORD /*evento*/) {
    SetEvent(interruzione);
    return TRUE;  // the wait ends, not the process
}

// The volume and file index a directory's path leads to now.
using Identita = std::pair<DWORD, uint64_t>;

std::optional<Identita> identita(const std::string& percorso) {
    const Handle h(apri(percorso, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h.valido() || !GetFileInformationByHandle(h.get(), &info)) return std::nullopt;
    return Identita{info.dwVolumeSerialNumber, (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

// File names compare as Windows compares them: without case.
struct SenzaMaiuscole {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                    TRUE) == CSTR_LESS_THAN;
    }
};

// One directory's watch: a read of its changes always pending.
struct Osservata {
    Osservata() = default;
    Osservata(const Osservata&) = delete;
    Osservata& operator=(const Osservata&) = delete;

    Identita identita;
    HANDLE directory = INVALID_HANDLE_VALUE;
    HANDLE evento = nullptr;
    OVERLAPPED attesa{};
    alignas(DWORD) char blocco[16384]{};
    std::set<std::wstring, SenzaMaiuscole> nomi;

    bool richiedi() {
        attesa = {};
        attesa.hEvent = evento;
        return ReadDirectoryChangesW(directory, blocco, sizeof blocco, FALSE, EVENTI, nullptr, &attesa, nullptr);
    }
    ~Osservata() {
        if (directory != INVALID_HANDLE_VALUE) {
            DWORD n = 0;
            CancelIoEx(directory, &attesa);
            GetOverlappedResult(directory, &attesa, &n, TRUE);
            CloseHandle(directory);
        }
        if (evento != nullptr) CloseHandle(evento);
    }
};

// Whether the finished read of `o` concerned one of the files.
bool leggi_eventi(Osservata& o) {
    DWORD n = 0;
    if (!GetOverlappedResult(o.directory, &o.attesa, &n, FALSE)) return true;
    // No bytes: more changes than the buffer held; any may be one of the files.
    bool pertinente = n == 0;
    for (size_t i = 0; i < n;) {
        FILE_NOTIFY_INFORMATION voce{};
        std::memcpy(&voce, o.blocco + i, offsetof(FILE_NOTIFY_INFORMATION, FileName));
        std::wstring nome(voce.FileNameLength / sizeof(wchar_t), L'\0');
        std::memcpy(nome.data(), o.blocco + i + offsetof(FILE_NOTIFY_INFORMATION, FileName), voce.FileNameLength);
        if (o.nomi.contains(nome)) pertinente = true;
        if (voce.NextEntryOffset == 0) break;
        i += voce.NextEntryOffset;
    }
    ResetEvent(o.evento);
    // A directory that cannot be read again is watched anew at the next look.
    if (!o.richiedi()) return true;
    return pertinente;
}

}  // namespace

struct SorveglianzaFile::Stato {
    std::vector<std::string> percorsi;
    std::map<std::string, std::unique_ptr<Osservata>> directory;  // as the paths name them
    std::vector<std::string> riarmate;

    // Brings the watches in line with what the paths lead to now: whether a
    // directory is watched anew. At the start every directory must be there.
    bool arma(bool iniziale);
};

bool SorveglianzaFile::Stato::arma(bool iniziale) {
    std::map<std::string, std::set<std::wstring, SenzaMaiuscole>> volute;
    for (const std::string& percorso : percorsi)
        volute[directory_di(percorso)].insert(largo(nome_in_percorso(percorso)));
    std::erase_if(directory,
                  [&](const auto& d) { return !volute.contains(d.first) || identita(d.first) != d.second->identita; });
    bool nuove = false;
    for (auto& [cartella, nomi] : volute) {
        if (const auto o = directory.find(cartella); o != directory.end()) {
            o->second->nomi = nomi;
            continue;
        }
        const std::optional<Identita> ora = identita(cartella);
        auto o = std::make_unique<Osservata>();
        o->directory =
            apri(cartella, FILE_LIST_DIRECTORY, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED);
        o->evento = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!ora || o->directory == INVALID_HANDLE_VALUE || !o->richiedi()) {
            const DWORD codice = ora ? GetLastError() : ERROR_PATH_NOT_FOUND;
            if (!iniziale) continue;  // gone: looked at again later
            throw errore_win32("cannot watch", cartella, codice);
        }
        o->identita = *ora;
        o->nomi = nomi;
        directory[cartella] = std::move(o);
        if (!iniziale) riarmate.push_back(cartella);
        nuove = true;
    }
    return nuove && !iniziale;
}

SorveglianzaFile::SorveglianzaFile(const std::vector<std::string>& percorsi) : s_(std::make_unique<Stato>()) {
    s_->percorsi = percorsi;
    s_->arma(true);
    if (interruzione == nullptr) interruzione = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ResetEvent(interruzione);
    SetConsoleCtrlHandler(all_evento, TRUE);
}

SorveglianzaFile::~SorveglianzaFile() { SetConsoleCtrlHandler(all_evento, FALSE); }

std::vector<std::string> SorveglianzaFile::riarmate() { return std::exchange(s_->riarmate, {}); }

SorveglianzaFile::Evento SorveglianzaFile::attendi(std::chrono::milliseconds quiete) {
    AttesaQuiete quiete_dopo(quiete);
    for (;;) {
        const auto resta = quiete_dopo.attesa();
        if (!resta) return Evento::cambiamento;  // the burst is over
        std::vector<HANDLE> attese = {interruzione};
        std::vector<Osservata*> osservate;
        for (auto& [cartella, o] : s_->directory) {
            attese.push_back(o->evento);
            osservate.push_back(o.get());
        }
        const DWORD esito = WaitForMultipleObjects(static_cast<DWORD>(attese.size()), attese.data(), FALSE,
                                                   static_cast<DWORD>(resta->count()));
        if (esito == WAIT_FAILED) throw errore_win32("cannot watch", "the source files", GetLastError());
        if (esito == WAIT_OBJECT_0) return Evento::interruzione;
        bool cambiati = false;
        for (Osservata* o : osservate)
            if (WaitForSingleObject(o->evento, 0) == WAIT_OBJECT_0) cambiati = leggi_eventi(*o) || cambiati;
        if (s_->arma(false) || cambiati) quiete_dopo.cambiamento();
    }
}

std::string ora_locale() {
    const std::time_t adesso = std::time(nullptr);
    std::tm locale{};
    localtime_s(&locale, &adesso);
    char testo[16];
    std::strftime(testo, sizeof testo, "%H:%M:%S", &locale);
    return testo;
}

}  // namespace compattatore::piattaforma
