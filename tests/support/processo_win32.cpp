// The programs a test starts, on Windows: CreateProcessW with the standard
// streams given as inherited handles, the command line quoted the way the C
// runtime splits it again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/win32.h"
#include "support/cartella_temporanea.h"
#include "support/processo.h"

// After windows.h, whose types it uses.
#include <psapi.h>

namespace compattatore::prova {

namespace {

using piattaforma::largo;

// Quoted when it holds a space, a tab or a quote; backslashes count only
// before a quote, where they are doubled.
std::wstring argomento_quotato(const std::wstring& argomento) {
    if (!argomento.empty() && argomento.find_first_of(L" \t\"") == std::wstring::npos) return argomento;
    std::wstring r = L"\"";
    size_t barre = 0;
    for (wchar_t c : argomento) {
        if (c == L'\\') {
            ++barre;
            continue;
        }
        r.append(c == L'"' ? 2 * barre + 1 : barre, L'\\');
        barre = 0;
        r += c;
    }
    r.append(2 * barre, L'\\');
    return r + L"\"";
}

// The inherited environment with the test's changes, as CreateProcessW takes
// it: NAME=value strings, each ended by a zero, and one more zero at the end.
std::wstring blocco_ambiente(const std::map<std::string, std::optional<std::string>>& modifiche) {
    std::wstring blocco;
    wchar_t* ambiente = GetEnvironmentStringsW();
    for (const wchar_t* voce = ambiente; *voce != L'\0'; voce += wcslen(voce) + 1) {
        const std::string testo = piattaforma::stretto(voce);
        // Entries such as "=C:=C:\dir" keep each drive's folder: never changed.
        if (testo.size() > 1 && modifiche.contains(testo.substr(0, testo.find('=', 1)))) continue;
        blocco.append(voce).push_back(L'\0');
    }
    FreeEnvironmentStringsW(ambiente);
    for (const auto& [nome, valore] : modifiche) {
        if (valore) blocco.append(largo(nome + "=" + *valore)).push_back(L'\0');
    }
    blocco.push_back(L'\0');
    return blocco;
}

HANDLE apri_ereditabile(const std::string& percorso, DWORD accesso, DWORD creazione) {
    SECURITY_ATTRIBUTES ereditabile{
        .nLength = sizeof(SECURITY_ATTRIBUTES), .lpSecurityDescriptor = nullptr, .bInheritHandle = TRUE};
    // /dev/null in the tests' own terms is the null device here.
    const std::wstring nome = percorso == "/dev/null" ? L"NUL" : piattaforma::percorso_largo(percorso);
    const HANDLE h = CreateFileW(nome.c_str(), accesso, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 &ereditabile, creazione, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + percorso);
    return h;
}

}  // namespace

ProcessoFiglio::ProcessoFiglio(const AvvioProcesso& avvio) {
    // A job object could cap the memory; no test that runs here needs it.
    if (avvio.limite_memoria) throw std::runtime_error("a memory limit is set on POSIX systems only");
    std::wstring riga;
    for (const std::string& argomento : avvio.argomenti) {
        if (!riga.empty()) riga += L' ';
        riga += argomento_quotato(largo(argomento));
    }
    std::wstring ambiente = blocco_ambiente(avvio.ambiente);
    const piattaforma::Handle ingresso(apri_ereditabile("/dev/null", GENERIC_READ, OPEN_EXISTING));
    const piattaforma::Handle uscita(apri_ereditabile(avvio.file_uscita, GENERIC_WRITE, CREATE_ALWAYS));
    const piattaforma::Handle errori(apri_ereditabile(avvio.file_errori, GENERIC_WRITE, CREATE_ALWAYS));
    STARTUPINFOW avvio_w{};
    avvio_w.cb = sizeof(avvio_w);
    avvio_w.dwFlags = STARTF_USESTDHANDLES;
    avvio_w.hStdInput = ingresso.get();
    avvio_w.hStdOutput = uscita.get();
    avvio_w.hStdError = errori.get();
    PROCESS_INFORMATION info{};
    const std::wstring directory = largo(avvio.directory);
    if (!CreateProcessW(nullptr, riga.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT, ambiente.data(),
                        directory.empty() ? nullptr : directory.c_str(), &avvio_w, &info))
        throw std::runtime_error("cannot start " + avvio.argomenti.at(0));
    CloseHandle(info.hThread);
    processo_ = info.hProcess;
}

ProcessoFiglio::~ProcessoFiglio() {
    if (in_corso()) {
        TerminateProcess(processo_, 1);
        WaitForSingleObject(processo_, INFINITE);
    }
    CloseHandle(processo_);
}

bool ProcessoFiglio::in_corso() {
    if (stato_) return false;
    if (WaitForSingleObject(processo_, 0) != WAIT_OBJECT_0) return true;
    DWORD codice = 0;
    GetExitCodeProcess(processo_, &codice);
    stato_ = static_cast<int>(codice);
    PROCESS_MEMORY_COUNTERS uso{};
    if (GetProcessMemoryInfo(processo_, &uso, sizeof(uso)))
        picco_kib_ = static_cast<long>(uso.PeakWorkingSetSize / 1024);
    return false;
}

std::optional<int> ProcessoFiglio::attendi(std::chrono::milliseconds limite) {
    if (WaitForSingleObject(processo_, static_cast<DWORD>(limite.count())) != WAIT_OBJECT_0) return std::nullopt;
    in_corso();
    return stato_;
}

std::string trova_programma(const std::string& nome) {
    const char* path = std::getenv("PATH");
    std::istringstream cartelle(path ? path : "");
    for (std::string cartella; std::getline(cartelle, cartella, ';');) {
        const std::string candidato = cartella + "\\" + nome + ".exe";
        if (!cartella.empty() && GetFileAttributesW(largo(candidato).c_str()) != INVALID_FILE_ATTRIBUTES)
            return candidato;
    }
    return "";
}

}  // namespace compattatore::prova
