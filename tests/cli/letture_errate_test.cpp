// inspect, draw and view alike on bad input and odd output: damaged,
// missing and non-regular files, unsafe keys, an output that is an input,
// a failed standard output, non-finite and huge plan values, and keys
// beyond ASCII.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <cstring>
#include <filesystem>

#include "documents/documenti.h"
#include "support/cartella_temporanea.h"
#include "support/dati.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using prova::esegui_programma;

const std::vector<std::string> COMANDI = {"inspect", "draw", "view"};

// The normal run's compiled files, plan included, in a directory of the test's own.
void copia_corsa_normale(const prova::CartellaTemporanea& dir) {
    const std::string& corsa = prova::corsa_normale_eseguita().directory;
    for (const std::string& nome :
         {prova::FILE_OGGETTI_NORMALE, prova::FILE_CELLE_NORMALE, prova::FILE_TRACCIATO_NORMALE})
        fs::copy_file(fs::path(corsa) / nome, dir.file(nome));
}

// Arguments that write into the test's directory, so that no drawing lands
// beside the files under test.
std::vector<std::string> argomenti(const std::string& comando, const std::string& dir, const std::string& uscite) {
    if (comando == "inspect") return {comando, dir};
    return {comando, dir, "-o", uscite + "/uscita." + (comando == "draw" ? "svg" : "html")};
}

// What a command says without its own name in front.
std::string messaggio(const std::string& errori, const std::string& comando) {
    const std::string prefisso = "compattatore " + comando + ": ";
    return errori.starts_with(prefisso) ? errori.substr(prefisso.size()) : errori;
}

struct CasoFile {
    const char* nome;
    void (*guasta)(const prova::CartellaTemporanea&);
    int stato;
    const char* testo;  // in every command's message
};

TEST(LettureErrate, DamagedMissingAndNonRegularFilesGiveTheSameMessageAndStatusEverywhere) {
    const CasoFile casi[] = {
        {"missing cell file", [](const prova::CartellaTemporanea& d) { fs::remove(d.file(prova::FILE_CELLE_NORMALE)); },
         3, "cannot open"},
        {"cell file one byte short",
         [](const prova::CartellaTemporanea& d) { fs::resize_file(d.file(prova::FILE_CELLE_NORMALE), 31214); }, 1,
         "byte"},
        {"plan value not a number",
         [](const prova::CartellaTemporanea& d) {
             std::string p = d.leggi(prova::FILE_TRACCIATO_NORMALE);
             const auto nan = std::bit_cast<uint64_t>(std::numeric_limits<double>::quiet_NaN());
             std::memcpy(p.data() + 10, &nan, 8);  // row 2 of column 0: after rows 0 and 1 and its tag
             d.scrivi(prova::FILE_TRACCIATO_NORMALE, p);
         },
         1, "Corvale_Mendra_linea.dat: byte 10: column 0 row 2 is not a finite number"},
        {"plan value infinite",
         [](const prova::CartellaTemporanea& d) {
             std::string p = d.leggi(prova::FILE_TRACCIATO_NORMALE);
             const auto inf = std::bit_cast<uint64_t>(-std::numeric_limits<double>::infinity());
             std::memcpy(p.data() + 10 * 97000 + 69982 + 8 + 2, &inf, 8);  // column 1, row 2
             d.scrivi(prova::FILE_TRACCIATO_NORMALE, p);
         },
         1, "Corvale_Mendra_linea.dat: byte 1039992: column 1 row 2 is not a finite number"},
        // Sparse files far larger than their layout allows: refused by their
        // size before a byte of them is read.
        {"object file of 1 GiB",
         [](const prova::CartellaTemporanea& d) {
             fs::resize_file(d.file(prova::FILE_OGGETTI_NORMALE), uint64_t{1} << 30);
         },
         1,
         "Corvale_Mendra_4821-3.sim: byte 5704503: the file holds 1073741824 bytes, more than the 5704503 that 87 "
         "records can take"},
        {"cell file of 1.5 GB",
         [](const prova::CartellaTemporanea& d) { fs::resize_file(d.file(prova::FILE_CELLE_NORMALE), 1500000000); }, 1,
         "Corvale_Mendra_4821-3.dat: byte 31215: a line of 97000 m has 2081 cells (31215 bytes), the file holds "
         "100000000"},
        {"plan file of 4 GiB",
         [](const prova::CartellaTemporanea& d) {
             fs::resize_file(d.file(prova::FILE_TRACCIATO_NORMALE), uint64_t{4} << 30);
         },
         1,
         "Corvale_Mendra_linea.dat: byte 2080020: the file holds 4294967296 bytes, more than the 2080020 that "
         "104001 rows can take"},
        {"plan value beyond what a line can reach",
         [](const prova::CartellaTemporanea& d) {
             std::string p = d.leggi(prova::FILE_TRACCIATO_NORMALE);
             const double enorme = 1.7e308;
             std::memcpy(p.data() + 10, &enorme, 8);  // row 2 of column 0
             d.scrivi(prova::FILE_TRACCIATO_NORMALE, p);
         },
         1,
         "Corvale_Mendra_linea.dat: byte 10: column 0 row 2 is 1.7e+308 m, beyond the 13631651840 m from the origin "
         "that a plan of its rows can reach"},
        {"cell file a FIFO",
         [](const prova::CartellaTemporanea& d) {
             fs::remove(d.file(prova::FILE_CELLE_NORMALE));
             ASSERT_EQ(::mkfifo(d.file(prova::FILE_CELLE_NORMALE).c_str(), 0644), 0);
         },
         3, "not a regular file"},
        {"plan file a directory",
         [](const prova::CartellaTemporanea& d) {
             fs::remove(d.file(prova::FILE_TRACCIATO_NORMALE));
             fs::create_directory(d.file(prova::FILE_TRACCIATO_NORMALE));
         },
         3, "Corvale_Mendra_linea.dat"},
    };
    for (const CasoFile& caso : casi) {
        SCOPED_TRACE(caso.nome);
        prova::CartellaTemporanea dir, uscite;
        copia_corsa_normale(dir);
        caso.guasta(dir);
        std::string primo;
        for (const std::string& comando : COMANDI) {
            const auto esito = esegui_programma(argomenti(comando, dir.str(), uscite.str()));
            EXPECT_EQ(esito.stato, caso.stato) << comando << ": " << esito.errori;
            EXPECT_NE(esito.errori.find(caso.testo), std::string::npos) << comando << ": " << esito.errori;
            EXPECT_TRUE(esito.uscita.empty()) << comando << ": " << esito.uscita;
            if (primo.empty()) primo = messaggio(esito.errori, comando);
            EXPECT_EQ(messaggio(esito.errori, comando), primo) << comando;
        }
        EXPECT_TRUE(fs::is_empty(uscite.percorso())) << "nothing is written from bad input";
    }
}

TEST(LettureErrate, UnsafeKeysAndAnOutputThatIsAnInputAreUsageErrors) {
    prova::CartellaTemporanea dir, uscite;
    copia_corsa_normale(dir);
    const std::string oggetti = dir.leggi(prova::FILE_OGGETTI_NORMALE);
    for (const std::string& comando : COMANDI) {
        for (const std::vector<std::string>& chiave : {std::vector<std::string>{"--line-key", "../Corvale_Mendra"},
                                                       {"--train-key", "x/4821-3"},
                                                       {"--line-key", ".."}}) {
            auto a = argomenti(comando, dir.str(), uscite.str());
            a.insert(a.end(), chiave.begin(), chiave.end());
            const auto esito = esegui_programma(a);
            EXPECT_EQ(esito.stato, 2) << comando << " " << chiave[1];
            EXPECT_NE(esito.errori.find("cannot be part of a file name"), std::string::npos) << esito.errori;
        }
        if (comando == "inspect") continue;
        for (const std::string& ingresso :
             {prova::FILE_OGGETTI_NORMALE, prova::FILE_CELLE_NORMALE, prova::FILE_TRACCIATO_NORMALE}) {
            // Also when named another way.
            const auto esito = esegui_programma({comando, dir.str(), "-o", dir.str() + "/./" + ingresso});
            EXPECT_EQ(esito.stato, 2) << comando << " -o " << ingresso;
            EXPECT_NE(esito.errori.find("a file it is made from"), std::string::npos) << esito.errori;
        }
    }
    EXPECT_EQ(dir.leggi(prova::FILE_OGGETTI_NORMALE), oggetti);
    EXPECT_EQ(dir.leggi(prova::FILE_CELLE_NORMALE).size(), 31215u);
}

// `-o -` gives the drawing or the page on standard output, the note on
// standard error; a link to a file is written through and stays a link.
TEST(LettureErrate, OutputOnStandardOutputOrThroughALink) {
    const std::string& corsa = prova::corsa_normale_eseguita().directory;
    for (const std::string comando : {"draw", "view"}) {
        SCOPED_TRACE(comando);
        prova::CartellaTemporanea uscite;
        ASSERT_EQ(esegui_programma({comando, corsa, "-o", uscite.file("riferimento")}).stato, 0);
        const std::string atteso = uscite.leggi("riferimento");

        const auto su_uscita = esegui_programma({comando, corsa, "-o", "-"});
        EXPECT_EQ(su_uscita.stato, 0) << su_uscita.errori;
        EXPECT_TRUE(su_uscita.uscita == atteso) << "not the file's bytes";
        EXPECT_EQ(su_uscita.errori.find("wrote"), std::string::npos) << su_uscita.errori;

        uscite.scrivi("bersaglio", "old");
        std::filesystem::create_symlink("bersaglio", uscite.percorso() / "collegamento");
        const auto attraverso = esegui_programma({comando, corsa, "-o", uscite.file("collegamento")});
        EXPECT_EQ(attraverso.stato, 0) << attraverso.errori;
        EXPECT_TRUE(std::filesystem::is_symlink(uscite.percorso() / "collegamento"));
        EXPECT_TRUE(uscite.leggi("bersaglio") == atteso);
        EXPECT_EQ(prova::istantanea(uscite.percorso()).size(), 3u) << "no temporary left";
    }
}

// A key becomes file names: a control character or a newline would be one
// there, and the five bytes Windows-1252 gives no character would all be
// U+FFFD, one name for different keys. Every command refuses them, naming
// the key (escaped) and the character.
TEST(LettureErrate, KeysWithControlCharactersOrBytesWithoutACharacterAreUsageErrors) {
    prova::CartellaTemporanea dir, uscite;
    copia_corsa_normale(dir);
    const std::string linea = dir.scrivi("L_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
    const std::string treno = dir.scrivi("L_T-.txt", "[generale]\r\n[fine]\r\n");
    const struct {
        std::string chiave;
        std::string atteso;
    } casi[] = {
        {"Valle\nR", "'Valle\\x0aR' holds the control character \\x0a, which cannot be part of a file name"},
        {"\x1B[2J", "'\\x1b[2J' holds the control character \\x1b, which cannot be part of a file name"},
        {"Valle\x81", "holds the byte 0x81, which Windows-1252 gives no character"},
        {"Valle\x8D", "holds the byte 0x8D, which Windows-1252 gives no character"},
        {"Valle\x9D", "holds the byte 0x9D, which Windows-1252 gives no character"},
    };
    for (const auto& c : casi) {
        for (const std::string opzione : {"--line-key", "--train-key"}) {
            std::vector<std::vector<std::string>> comandi;
            for (const std::string& comando : COMANDI) comandi.push_back(argomenti(comando, dir.str(), uscite.str()));
            // compile tells the train key from the file's name by the line key: both given.
            comandi.push_back({"compile", linea, treno, "-o", uscite.str(),
                               opzione == "--line-key" ? "--train-key" : "--line-key", "T"});
            for (std::vector<std::string> a : comandi) {
                a.insert(a.end(), {opzione, c.chiave});
                const auto esito = esegui_programma(a);
                EXPECT_EQ(esito.stato, 2) << a[0] << " " << opzione << " " << c.atteso;
                EXPECT_NE(esito.errori.find(opzione + " '"), std::string::npos) << esito.errori;
                EXPECT_NE(esito.errori.find(c.atteso), std::string::npos) << esito.errori;
                EXPECT_EQ(esito.errori.find('\x1B'), std::string::npos) << esito.errori;
            }
        }
    }
    EXPECT_TRUE(fs::is_empty(uscite.percorso()));
}

TEST(LettureErrate, AFailedWriteToStandardOutputIsStatusThree) {
    prova::CartellaTemporanea uscite;
    const std::string& corsa = prova::corsa_normale_eseguita().directory;
    dati_linea(uscite.str(), "Corvale_Mendra");
    dati_treno(uscite.str(), "Corvale_Mendra", "4821-3");
    const std::string linea = uscite.file("Corvale_Mendra_linea.txt"),
                      treno = uscite.file("Corvale_Mendra_4821-3-.txt");
    for (const std::vector<std::string>& a : {std::vector<std::string>{"inspect", corsa},
                                              {"inspect", corsa, "--json"},
                                              {"draw", corsa, "-o", uscite.file("d.svg")},
                                              {"view", corsa, "-o", uscite.file("v.html")},
                                              {"compile", linea, treno, "--check"},
                                              {"compile", "--help"},
                                              {"--help"},
                                              {"--version"}}) {
        prova::AvvioProcesso avvio{
            .argomenti = {PROGRAMMA}, .file_uscita = "/dev/full", .file_errori = uscite.file("err")};
        avvio.argomenti.insert(avvio.argomenti.end(), a.begin(), a.end());
        prova::ProcessoFiglio processo(avvio);
        EXPECT_EQ(processo.attendi(std::chrono::seconds(30)), 3) << a[0] << " " << a.back();
        EXPECT_NE(uscite.leggi("err").find("cannot write standard output"), std::string::npos)
            << a[0] << " " << a.back() << ": " << uscite.leggi("err");
    }
}

// A value far beyond any line but finite is drawn: every number in full,
// none cut short, and the documents stay well formed.
TEST(LettureErrate, HugeFinitePlanValuesAreDrawnWhole) {
    prova::CartellaTemporanea dir;
    copia_corsa_normale(dir);
    std::string p = dir.leggi(prova::FILE_TRACCIATO_NORMALE);
    const double enorme = 1e10;                              // as far as a plan of these rows can reach, about
    std::memcpy(p.data() + 8 + 10 * 50000 + 2, &enorme, 8);  // row 50002 of column 0
    dir.scrivi(prova::FILE_TRACCIATO_NORMALE, p);
    for (const std::string comando : {"draw", "view"}) {
        const auto esito = esegui_programma({comando, dir.str(), "-o", dir.file("uscita")});
        ASSERT_EQ(esito.stato, 0) << comando << ": " << esito.errori;
        const std::string testo = dir.leggi("uscita");
        if (comando == "view") {
            // The page's data holds the value itself, never a stand-in.
            const auto x = testo.find("\"x\":["), fine = testo.find(']', x);
            const std::string colonna = testo.substr(x, fine - x);
            EXPECT_NE(colonna.find("1e+10"), std::string::npos);
            EXPECT_EQ(colonna.find("null"), std::string::npos);
        } else {
            for (const char* rotto : {"inf", "nan"}) EXPECT_EQ(testo.find(rotto), std::string::npos) << rotto;
            EXPECT_EQ(prova::esegui("xmllint", {"--noout", dir.file("uscita")}).stato, 0);
            EXPECT_EQ(prova::esegui("rsvg-convert", {dir.file("uscita"), "-o", dir.file("uscita.png")}).stato, 0);
        }
    }
}

// Keys beyond ASCII: the command line's UTF-8 goes into the records as
// Windows-1252, as description text does, and comes out as UTF-8 again.
TEST(LettureErrate, KeysBeyondAsciiAreWindows1252InTheFilesAndUtf8InEveryOutput) {
    prova::CartellaTemporanea dir;
    const std::string linea = dir.scrivi("linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
    const std::string treno = dir.scrivi("treno.txt", "[generale]\r\n[fine]\r\n");
    const auto compilato = esegui_programma({"compile", linea, treno, "-o", dir.str(), "--no-plan", "--line-key",
                                             "Forl\xC3\xAC", "--train-key",
                                             "R\xC3\xA9"
                                             "1"});
    ASSERT_EQ(compilato.stato, 0) << compilato.errori;
    // The names are UTF-8, as typed; the records hold one byte per letter.
    ASSERT_TRUE(
        dir.esiste("Forl\xC3\xAC_R\xC3\xA9"
                   "1.sim"))
        << compilato.uscita;
    const std::string oggetti = dir.leggi(
        "Forl\xC3\xAC_R\xC3\xA9"
        "1.sim");
    EXPECT_NE(oggetti.find(std::string("\x05\x00"
                                       "Forl\xEC",
                                       7)),
              std::string::npos);  // ì
    EXPECT_NE(oggetti.find(std::string("\x03\x00"
                                       "R\xE9"
                                       "1",
                                       5)),
              std::string::npos);

    const std::string json = dir.file("rapporto.json");
    {
        prova::AvvioProcesso avvio{.argomenti = {PROGRAMMA, "inspect", dir.str(), "--json"}, .file_uscita = json};
        prova::ProcessoFiglio processo(avvio);
        ASSERT_EQ(processo.attendi(std::chrono::seconds(30)), 0);
    }
    // Python's strict UTF-8 decoder and JSON parser both accept it.
    const auto letto =
        prova::esegui("python3", {"-c",
                                  "import json,sys; d=json.load(open(sys.argv[1],encoding='utf-8')); h=d['header'];"
                                  "assert h['keys']=={'line':'Forl\\u00ec','train':'R\\u00e91'}, h['keys'];"
                                  "assert h['keys_in_files']==h['keys'], h;"
                                  "assert h['codice_gara_st']['match'] and h['codice_gara_og']['match'], h",
                                  json});
    EXPECT_EQ(letto.stato, 0) << letto.errori;
    for (const auto& a : {std::vector<std::string>{"inspect", dir.str(), "--line-key", "Forl\xC3\xAC", "--train-key",
                                                   "R\xC3\xA9"
                                                   "1"},
                          {"draw", dir.str()},
                          {"view", dir.str()}}) {
        const auto esito = esegui_programma(a);
        EXPECT_EQ(esito.stato, 0) << a[0] << ": " << esito.errori;
    }
    EXPECT_EQ(prova::esegui("xmllint", {"--noout", dir.file("Forl\xC3\xAC_R\xC3\xA9"
                                                            "1.svg")})
                  .stato,
              0);
    EXPECT_NE(dir.leggi("Forl\xC3\xAC_R\xC3\xA9"
                        "1.svg")
                  .find("Line Forl\xC3\xAC"),
              std::string::npos);
    EXPECT_NE(dir.leggi("Forl\xC3\xAC_R\xC3\xA9"
                        "1.html")
                  .find("\"line\":\"Forl\xC3\xAC\""),
              std::string::npos);
}

}  // namespace
}  // namespace compattatore
