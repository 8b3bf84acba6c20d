// A Ctrl-C on a console of this process's own, so that the event reaches
// no other process (the test that started it least of all), at a moment a
// test chooses. Wine generates Ctrl-C alone: Ctrl-Break and the console's
// closing run the same handlers.
// Usage: interrotto temporanei DIR NAME...   writes NAME... in DIR, never
//            renamed, then the event: exit 8 when their temporaries were not
//            there, 9 when the event did not end the program
//        interrotto sorveglianza FILE       the event while FILE is
//            watched: exit 5 when it ended the wait, 6 when a change did
#include <chrono>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/sorveglianza.h"
#include "platform/win32.h"

namespace {

// Detached from the console it was started with, if any, on a hidden one
// of its own, where Ctrl-C is not ignored.
bool console_propria() {
    FreeConsole();
    if (!AllocConsole()) return false;
    ShowWindow(GetConsoleWindow(), SW_HIDE);
    return SetConsoleCtrlHandler(nullptr, FALSE) && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
}

size_t voci(const std::string& directory) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(directory), {}));
}

int temporanei(const std::string& directory, const std::vector<std::string>& nomi) {
    using compattatore::piattaforma::FileNuovo;
    const size_t gia = voci(directory);
    std::vector<std::unique_ptr<FileNuovo>> file;
    for (const std::string& nome : nomi) {
        file.push_back(std::make_unique<FileNuovo>((std::filesystem::path(directory) / nome).string()));
        file.back()->scrivi("nuovo, mai rinominato");
    }
    if (voci(directory) != gia + nomi.size() || !console_propria()) return 8;
    // The handler runs on a thread of its own, and ends the process.
    Sleep(30000);
    return 9;
}

int sorveglianza(const std::string& file) {
    using compattatore::piattaforma::SorveglianzaFile;
    SorveglianzaFile sorvegliati({file});
    if (!console_propria()) return 8;
    return sorvegliati.attendi(std::chrono::milliseconds(250)) == SorveglianzaFile::Evento::interruzione ? 5 : 6;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> argomenti(argv + 1, argv + argc);
    if (argomenti.size() >= 3 && argomenti[0] == "temporanei")
        return temporanei(argomenti[1], {argomenti.begin() + 2, argomenti.end()});
    if (argomenti.size() == 2 && argomenti[0] == "sorveglianza") return sorveglianza(argomenti[1]);
    return 2;
}
