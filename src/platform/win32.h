// What the Windows implementations of this layer share: paths and text
// between UTF-8 and the wide API, handles kept where the headers keep a
// descriptor, and the system's errors told as ErroreFile.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file.h"
#include "platform/guasti.h"

namespace compattatore::piattaforma {

std::wstring largo(std::string_view testo);
std::string stretto(std::wstring_view testo);

// A path for the wide API: beyond the old limit of 260 characters it is
// made absolute in the \\?\ form, which has no such limit.
std::wstring percorso_largo(const std::string& percorso);

// Kernel handles fit in 32 bits (so that 32- and 64-bit programs can share
// them): the headers keep them where POSIX keeps a descriptor.
inline int come_intero(HANDLE h) { return static_cast<int>(HandleToLong(h)); }
inline HANDLE come_handle(int h) { return LongToHandle(h); }

// The failure of a call, in the system's words where POSIX has none.
ErroreFile errore_win32(const std::string& operazione, const std::string& file, DWORD codice);

// `esegui()` unless this call is the one the tests make fail, which then
// gives `fallita` with the error of a failing disk.
template <class F>
auto contata_win32(const char* chiamata, decltype(std::declval<F>()()) fallita, F esegui) {
    if (chiamata_guasta(chiamata)) {
        SetLastError(ERROR_IO_DEVICE);
        return fallita;
    }
    return esegui();
}

// Where a read or write of a file opened for plain (not overlapped) calls
// begins: the call then waits, as pread and pwrite do.
OVERLAPPED alla_posizione(uint64_t posizione);

// Opens a file with the wide API; INVALID_HANDLE_VALUE on failure.
HANDLE apri(const std::string& percorso, DWORD accesso, DWORD creazione, DWORD attributi = FILE_ATTRIBUTE_NORMAL);

// Closes the handle on every path out of a scope.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE && h_ != nullptr) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool valido() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE rilascia() { return std::exchange(h_, INVALID_HANDLE_VALUE); }

private:
    HANDLE h_;
};

}  // namespace compattatore::piattaforma
