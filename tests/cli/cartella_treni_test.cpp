// A directory holding the compiled trains of two lines: which line and which
// trains the commands that look at compiled files take, and what they say.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace compattatore {
namespace {

namespace fs = std::filesystem;
using prova::esegui_programma;

// Corvale_Mendra with the build's train 4821-3, X and Y; Valle with seven
// trains, X among them, 4821-3 too (so that --line-key Valle alone shows one).
class CartellaTreni : public ::testing::Test {
protected:
    void SetUp() override {
        compila("Corvale_Mendra", {"4821-3", "X", "Y"});
        compila("Valle", {"4821-3", "R1", "R2", "R3", "R4", "R5", "X"});
    }

    void compila(const std::string& linea, const std::vector<std::string>& treni) {
        std::vector<std::string> argomenti{
            "compile", sorgenti_.scrivi(linea + "_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n")};
        for (const std::string& treno : treni)
            argomenti.push_back(sorgenti_.scrivi(linea + "_" + treno + "-.txt", "[generale]\r\n[fine]\r\n"));
        argomenti.insert(argomenti.end(), {"-o", dir_.str()});
        const auto esito = esegui_programma(argomenti);
        ASSERT_EQ(esito.stato, 0) << esito.errori;
    }

    // The arguments, DIR standing for the directory of the compiled files.
    std::vector<std::string> con_dir(std::vector<std::string> argomenti) const {
        for (std::string& a : argomenti)
            if (a == "DIR") a = dir_.str();
        return argomenti;
    }

    prova::CartellaTemporanea sorgenti_, dir_;
};

// Without --line-key the build's train names its line, and the commands over
// a whole line take every train of it, exactly as --line-key does.
TEST_F(CartellaTreni, TheBuildsTrainTellsTheLineAndItsTrainsAreAllTaken) {
    for (const std::vector<std::string>& comando :
         {std::vector<std::string>{"view", "DIR", "-o", "-"}, {"draw", "--graph", "DIR", "-o", "-"}}) {
        SCOPED_TRACE(comando[1]);
        const auto senza = esegui_programma(con_dir(comando));
        std::vector<std::string> con_linea = con_dir(comando);
        con_linea.insert(con_linea.end(), {"--line-key", "Corvale_Mendra"});
        const auto con = esegui_programma(con_linea);
        ASSERT_EQ(senza.stato, 0) << senza.errori;
        EXPECT_TRUE(senza.uscita == con.uscita);
    }
    EXPECT_NE(esegui_programma(con_dir({"draw", "--graph", "DIR", "-o", "-"})).uscita.find(">3 trains, "),
              std::string::npos);

    prova::CartellaTemporanea senza, con;
    ASSERT_EQ(esegui_programma(con_dir({"decompile", "DIR", "-o", senza.str()})).stato, 0);
    ASSERT_EQ(esegui_programma(con_dir({"decompile", "DIR", "-o", con.str(), "--line-key", "Corvale_Mendra"})).stato,
              0);
    EXPECT_EQ(prova::istantanea(senza.percorso()).size(), 4U);
    EXPECT_TRUE(prova::istantanea(senza.percorso()) == prova::istantanea(con.percorso()));
}

// Inspect and draw show the one train the keys name, and say on standard
// error, in one line, which other trains of its line are there.
TEST_F(CartellaTreni, ShowingOneTrainNamesTheOthersOfItsLine) {
    struct Caso {
        std::vector<std::string> argomenti;
        std::string nota;  // on standard error
    };
    const std::string altri = " holds 3 trains of the line Corvale_Mendra; --train-key TRAIN shows another (X, Y)\n";
    const Caso casi[] = {
        {{"inspect", "DIR"}, "compattatore inspect: " + dir_.str() + altri},
        {{"inspect", "DIR", "--json"}, "compattatore inspect: " + dir_.str() + altri},
        {{"draw", "DIR", "-o", "-"}, "compattatore draw: " + dir_.str() + altri},
        {{"inspect", "DIR", "--line-key", "Valle"},
         "compattatore inspect: " + dir_.str() +
             " holds 7 trains of the line Valle; --train-key TRAIN shows another (R1, R2, R3, R4, R5, 1 more)\n"},
        {{"inspect", "DIR", "--train-key", "4821-3"}, ""},
        {{"draw", "DIR", "-o", "-", "--train-key", "4821-3"}, ""},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.argomenti[0] + " " + caso.argomenti.back());
        const auto esito = esegui_programma(con_dir(caso.argomenti));
        EXPECT_EQ(esito.stato, 0);
        EXPECT_EQ(esito.errori, caso.nota);
    }
    // The report itself is the one train's, whatever the note says.
    EXPECT_EQ(esegui_programma(con_dir({"inspect", "DIR"})).uscita,
              esegui_programma(con_dir({"inspect", "DIR", "--train-key", "4821-3"})).uscita);
}

// Without the build's train nothing tells the line: every command refuses,
// naming the lines, and writes nothing; a train key on one line alone tells
// it.
TEST_F(CartellaTreni, WithoutTheBuildsTrainTheLineMustBeChosen) {
    fs::remove(dir_.file("Corvale_Mendra_4821-3.sim"));
    fs::remove(dir_.file("Corvale_Mendra_4821-3.dat"));
    const auto prima = prova::istantanea(dir_.percorso());
    const std::string linee =
        dir_.str() + " holds trains of the lines Corvale_Mendra, Valle: choose one with --line-key";
    const std::vector<std::string> comandi[] = {
        {"inspect", "DIR"},   {"view", "DIR"}, {"draw", "--graph", "DIR"},
        {"decompile", "DIR"}, {"draw", "DIR"}, {"draw", "DIR", "--train-key", "X"}};
    for (const std::vector<std::string>& comando : comandi) {
        SCOPED_TRACE(comando[1] + " " + comando.back());
        const auto esito = esegui_programma(con_dir(comando));
        EXPECT_EQ(esito.stato, 2);
        EXPECT_EQ(esito.uscita, "");
        const std::string rimedio = comando == comandi[4] ? " and a train with --train-key\n" : "\n";
        EXPECT_EQ(esito.errori, "compattatore " + comando[0] + ": " + linee + rimedio);
    }
    EXPECT_TRUE(prova::istantanea(dir_.percorso()) == prima);

    const auto uno = esegui_programma(con_dir({"draw", "DIR", "--train-key", "R3"}));
    EXPECT_EQ(uno.stato, 0) << uno.errori;
    EXPECT_TRUE(dir_.esiste("Valle_R3.svg"));
}

}  // namespace
}  // namespace compattatore
