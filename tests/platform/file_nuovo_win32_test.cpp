// Replacing files on Windows, where a file another program holds open
// without sharing cannot be replaced, and paths may be long or carry
// letters beyond ASCII.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "platform/file.h"
#include "platform/win32.h"
#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore::piattaforma {
namespace {

// The file opened for reading and shared with nobody, as a viewer or a
// simulator that has it loaded holds it: Windows then refuses every other
// open, rename and delete of it.
HANDLE tieni_aperto(const std::string& percorso) {
    const HANDLE h =
        CreateFileW(largo(percorso).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << percorso;
    return h;
}

std::set<std::string> nomi(const prova::CartellaTemporanea& dir) {
    std::set<std::string> n;
    for (const auto& voce : std::filesystem::directory_iterator(dir.percorso()))
        n.insert(voce.path().filename().string());
    return n;
}

TEST(FileNuovoWin32, AFileHeldOpenIsNotReplacedAndNoTemporaryIsLeft) {
    prova::CartellaTemporanea dir;
    const std::string file = dir.scrivi("tenuto.dat", "vecchio");
    {
        const Handle tenuto(tieni_aperto(file));
        try {
            sostituisci(file, "nuovo");
            ADD_FAILURE() << "replaced a file held open";
        } catch (const ErroreFile& e) {
            EXPECT_EQ(e.descrizione(), "the file is open in another program") << e.what();
            EXPECT_EQ(e.file(), file);
        }
    }
    EXPECT_EQ(dir.leggi("tenuto.dat"), "vecchio");
    EXPECT_EQ(nomi(dir), std::set<std::string>{"tenuto.dat"});
}

// The set's last file is held: the ones already in place go back.
TEST(FileNuovoWin32, ASetWithOneFileHeldOpenLeavesEveryOldFile) {
    prova::CartellaTemporanea dir;
    const std::array percorsi = {dir.scrivi("a.sim", "vecchio a"), dir.scrivi("b.dat", "vecchio b"),
                                 dir.scrivi("c.dat", "vecchio c")};
    {
        const Handle tenuto(tieni_aperto(percorsi[2]));
        FileNuovo a(percorsi[0]), b(percorsi[1]), c(percorsi[2]);
        for (FileNuovo* f : {&a, &b, &c}) {
            f->scrivi("nuovo");
            f->chiudi(false);
        }
        const std::array<FileNuovo*, 3> insieme = {&a, &b, &c};
        EXPECT_THROW(rinomina_insieme(insieme), ErroreFile);
    }
    EXPECT_EQ(dir.leggi("a.sim"), "vecchio a");
    EXPECT_EQ(dir.leggi("b.dat"), "vecchio b");
    EXPECT_EQ(dir.leggi("c.dat"), "vecchio c");
    EXPECT_EQ(nomi(dir), (std::set<std::string>{"a.sim", "b.dat", "c.dat"}));
}

TEST(FileNuovoWin32, ALongPathWithAccentsIsWrittenAndReplaced) {
    prova::CartellaTemporanea dir;
    std::string cartella = dir.str();
    for (int i = 0; i < 6; ++i) {
        cartella = unisci(cartella, "città_più_lunga_di_quanto_serva_àè");
        crea_directory(cartella);
    }
    const std::string file = unisci(cartella, "Corvale_Mendra_4821-3.sim");
    ASSERT_GT(file.size(), size_t{MAX_PATH});
    sostituisci(file, "primo");
    sostituisci(file, "secondo");
    EXPECT_EQ(leggi(file), "secondo");
    EXPECT_EQ(elenca(cartella), std::vector<std::string>{"Corvale_Mendra_4821-3.sim"});
}

// The program's own run: exit 3, the file named with the reason, the old
// bytes and no temporary left.
TEST(FileNuovoWin32, TheNormalRunStopsAtAnOutputHeldOpen) {
    prova::CartellaTemporanea dir;
    ASSERT_EQ(prova::esegui_programma({"--dir", dir.str(), "--no-window"}).stato, 0);
    const auto prima = prova::istantanea(dir.percorso());
    prova::EsitoProcesso r;
    {
        const Handle tenuto(tieni_aperto(dir.file(prova::FILE_OGGETTI_NORMALE)));
        r = prova::esegui_programma({"--dir", dir.str(), "--no-window", "--force"});
    }
    EXPECT_EQ(r.stato, 3) << r.errori;
    EXPECT_NE(r.errori.find(prova::FILE_OGGETTI_NORMALE + ": the file is open in another program"), std::string::npos)
        << r.errori;
    EXPECT_EQ(prova::istantanea(dir.percorso()), prima);
}

}  // namespace
}  // namespace compattatore::piattaforma
