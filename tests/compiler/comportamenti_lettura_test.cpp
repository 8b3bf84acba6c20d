// How records land in the model, the decided limits and where a failure is reported.
#include <gtest/gtest.h>

#include <string>

#include "compiler/lettura_prova.h"
#include "model/tracciato.h"

namespace compattatore {
namespace {

using prova::leggi_descrizioni;
using prova::linea_con;
using prova::treno_con;

const std::string TRENO_VUOTO = treno_con("");

TEST(LetturaLinea, GradientHoldsFromItsPositionToTheNextRecord) {
    auto r = leggi_descrizioni(linea_con("pendenza, 0, 2\r\npendenza, 2000, -12\r\n"), TRENO_VUOTO);
    ASSERT_EQ(r.codice(), 0);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(r.m.celle[i].pendenza, 102) << i;
    for (int i = 40; i < 338; ++i) EXPECT_EQ(r.m.celle[i].pendenza, 88) << i;
    EXPECT_EQ(r.m.celle[338].pendenza, 0);  // the fill stops at the last cell but two
}

TEST(LetturaLinea, HeaderTestsAndTheRepetitionCount) {
    auto r = leggi_descrizioni(
        "[generale]\r\nLUNGHEZZA PERCORSO, 10000\r\nProgressiva chilometrica tre, 100, 100, 1\r\n"
        "sfondo tre, 7\r\nripetizione segnali 9 codici, 1000, 5000\r\n[fine]\r\n",
        TRENO_VUOTO);
    EXPECT_EQ(r.codice(), 0);
    EXPECT_EQ(r.m.celle.size(), 341u);
    EXPECT_EQ(r.m.oggetti[81].inizio, 0);  // capital P: not a progressive
    EXPECT_EQ(r.m.oggetti[85].fine, 7);
    EXPECT_EQ(r.m.oggetti[86].posizione, 9);

    auto senza_fine = leggi_descrizioni(
        linea_con("", "lunghezza percorso, 10000\r\nripetizione segnali 4 codici, 1000, 0\r\n"), TRENO_VUOTO);
    EXPECT_EQ(senza_fine.m.oggetti[86].posizione, 0);
}

// A header value is stored as read, before its check refuses it.
TEST(LetturaLinea, HeaderValuesAreStoredBeforeTheirChecks) {
    auto lunga = leggi_descrizioni(linea_con("", "lunghezza percorso, 1000001\r\n"), TRENO_VUOTO);
    EXPECT_EQ(lunga.codice(), 1);
    EXPECT_EQ(lunga.m.oggetti[OGGETTO_DIMENSIONI].fine, 1000001);

    auto ripetizione = leggi_descrizioni(
        linea_con("", "lunghezza percorso, 10000\r\nripetizione segnali 4 codici, 1025, 5010\r\n"), TRENO_VUOTO);
    EXPECT_EQ(ripetizione.codice(), 3);
    EXPECT_EQ(ripetizione.m.oggetti[OGGETTO_TRENO].inizio, 1025);
    EXPECT_EQ(ripetizione.m.oggetti[OGGETTO_TRENO].fine, 5010);
}

// Cells 0 to N with N = round((L + 7000) / 50), halves to even.
TEST(LetturaLinea, CellCountFollowsTheLength) {
    const struct {
        int lunghezza;
        size_t celle;
    } casi[] = {{0, 141}, {25, 141}, {75, 143}, {10000, 341}, {97000, 2081}, {1000000, 20141}};
    for (const auto& c : casi) {
        auto r = leggi_descrizioni(linea_con("", "lunghezza percorso, " + std::to_string(c.lunghezza) + "\r\n"),
                                   TRENO_VUOTO, 0);
        EXPECT_EQ(r.codice(), 0) << c.lunghezza;
        EXPECT_EQ(r.m.celle.size(), c.celle) << c.lunghezza;
    }
}

TEST(LetturaLinea, DashFieldsAreSkippedAndTheLastFieldIsNeverExamined) {
    auto r = leggi_descrizioni(
        "[generale]\r\nlunghezza percorso, 10000\r\n[corpo]\r\n--,cartello_indicatore, 1000, (A)\r\n"
        "cartello_indicatore",
        TRENO_VUOTO);
    EXPECT_EQ(r.codice(), 0);
    EXPECT_EQ(r.m.celle[21].tipo, CELLA_CARTELLO);
    EXPECT_EQ(r.m.oggetti[80].nome, "(A)");
    // Examining the last keyword would read past the end of the file.
    EXPECT_EQ(r.m.oggetti[79].nome, "");
}

TEST(LetturaLinea, CurvesOnlyWhenThePlanIsBuilt) {
    auto senza = leggi_descrizioni(linea_con("curvad1, 100, 100\r\n"), TRENO_VUOTO, 0);
    EXPECT_EQ(senza.codice(), 0);
    EXPECT_TRUE(senza.m.tracciato.empty());

    auto con = leggi_descrizioni(linea_con("curvad1, 100, 100\r\n"), TRENO_VUOTO);
    EXPECT_GT(valore(righe_tracciato(con.m.tracciato)[150].x), 0.0);  // right-hand: towards +x
}

// A curve running past the plan's last row stops there; a mountain past the
// last cell is recorded up to it.
TEST(LetturaLinea, SpansPastTheEndAreCut) {
    auto r = leggi_descrizioni(linea_con("curvad1, 16800, 5000\r\nmontagna, 16900, 30000, 2\r\n"), TRENO_VUOTO);
    EXPECT_EQ(r.codice(), 0);
    ASSERT_EQ(r.m.tracciato.size(), 17001u);
    EXPECT_TRUE(std::holds_alternative<double>(righe_tracciato(r.m.tracciato)[17000].x));
    for (int i = 338; i <= 340; ++i) EXPECT_EQ(r.m.celle[i].montagna, 2) << i;
}

TEST(LetturaLinea, FailuresCarryFileLineColumnAndReason) {
    auto r = leggi_descrizioni(linea_con("pendenza, 100, 2\r\npendenza,  12abc, 2\r\n"), TRENO_VUOTO);
    EXPECT_EQ(r.codice(), 25);
    EXPECT_NE(r.primo().file.find(prova::LINEA_PROVA), std::string::npos);
    EXPECT_EQ(r.primo().luogo.riga, 5);
    EXPECT_EQ(r.primo().luogo.colonna, 12);
    EXPECT_EQ(r.primo().motivo, "pendenza: field 'posizione' is not a number: '12abc'");

    auto sotto = leggi_descrizioni(linea_con("cartello_indicatore, -100, (X)\r\n"), TRENO_VUOTO);
    EXPECT_EQ(sotto.primo().motivo, "cartello_indicatore: position -100 m is before the start of the line");
    EXPECT_EQ(sotto.primo().luogo.riga, 4);
    EXPECT_EQ(sotto.primo().luogo.colonna, 22);

    auto troncato = leggi_descrizioni(linea_con(""), "[generale]\r\nsegnale, 1000, 1, 4");
    EXPECT_EQ(troncato.codice(), 25);
    EXPECT_NE(troncato.primo().file.find(prova::TRENO_PROVA), std::string::npos);
    EXPECT_EQ(troncato.primo().motivo, "segnale: field 's2': the file ends inside a record");

    auto conflitto = leggi_descrizioni(linea_con(""), treno_con("abbattimento, 1000, 9\r\nabbattimento,  1000, 9\r\n"));
    EXPECT_EQ(conflitto.codice(), 7);
    EXPECT_EQ(conflitto.primo().luogo.riga, 3);
    EXPECT_EQ(conflitto.primo().luogo.colonna, 16);
}

TEST(LetturaTreno, GeneralValuesAndProfiles) {
    auto r =
        leggi_descrizioni(linea_con(""), treno_con("numero vetture, 12\r\npercentuale massa frenata, 135\r\n"
                                                   "sabbia, 300\r\norologio,    19              9             40 \r\n"
                                                   "velocita, 1000, 62.5\r\nvelocita, 1500, 100\r\n"
                                                   "aderenza, 0, 300\r\n"));
    ASSERT_EQ(r.codice(), 0) << r.primo().motivo;
    const Oggetto& treno = r.m.oggetti[86];
    EXPECT_EQ(r.m.oggetti[84].posizione, 12);
    EXPECT_EQ(r.m.oggetti[84].inizio, 135);
    EXPECT_EQ(treno.valori[0], 300);
    EXPECT_EQ(treno.valori[2], 19);
    EXPECT_EQ(treno.valori[3], 9);
    EXPECT_EQ(treno.valori[4], 40);
    EXPECT_EQ(r.m.celle[0].vel_limite, 0);  // nothing is in force before the first record
    EXPECT_EQ(r.m.celle[19].vel_limite, 0);
    EXPECT_EQ(r.m.celle[20].vel_limite, 12);  // 62 (62.5 to even) / 5 = 12.4
    EXPECT_EQ(r.m.celle[30].vel_limite, 20);
    EXPECT_EQ(r.m.celle[337].vel_limite, 20);
    EXPECT_EQ(r.m.celle[338].vel_limite, 0);
    EXPECT_EQ(r.m.celle[5].aderenza, 44);  // low 8 bits of 300
}

TEST(LetturaTreno, StationZonesAndMarks) {
    auto r = leggi_descrizioni(
        linea_con(""),
        treno_con("stazione, 1000, 8, 500, 0, 1, 0, 1,1,0, 4,1,1, 1, 19,10, 0, PRIMA\r\n"
                  "stazione, 2750, 12, 400, 0, 1, 1, 1,1,0, 4,1,1, 0, 0, 0, 0, \"SECONDA, CON VIRGOLA\"\r\n"
                  "abbattimento, 7000, 0\r\n"));
    ASSERT_EQ(r.codice(), 0) << r.primo().motivo;
    const Oggetto& seconda = r.m.oggetti[2];
    EXPECT_EQ(seconda.inizio, 2550);
    EXPECT_EQ(seconda.fine, 3000);
    EXPECT_EQ(seconda.flag[2], 1);
    EXPECT_EQ(seconda.flag[3], 0);  // short platform
    EXPECT_EQ(seconda.nome, "SECONDA, CON VIRGOLA");
    EXPECT_EQ(r.m.celle[59].tipo, CELLA_FERMATA);
    EXPECT_EQ(r.m.celle[59].dato1, 2);
    EXPECT_EQ(r.m.celle[55].codice, 84);
    EXPECT_EQ(r.m.celle[140].tipo, CELLA_ABBATTIMENTO_NULLO);
}

// With 80 signs the object table has no record left: the station stops the
// reader before touching record 1.
TEST(LetturaTreno, StationsNeverOverwriteTextSigns) {
    std::string cartelli;
    for (int k = 0; k < 80; ++k) cartelli += "cartello_indicatore, " + std::to_string(100 + 100 * k) + ", (S)\r\n";
    auto r = leggi_descrizioni(linea_con(cartelli),
                               treno_con("stazione, 1000, 30, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\r\n"));
    EXPECT_EQ(r.codice(), 10);
    EXPECT_EQ(r.m.oggetti[1].nome, "(S)");
    EXPECT_EQ(r.m.oggetti[1].posizione, 0);
    EXPECT_FALSE(r.treno_rimasto);
}

TEST(LetturaTreno, TheStationReachingTheSignsStopsTheReader) {
    std::string stazioni;
    for (int k = 1; k <= 76; ++k)
        stazioni += "stazione, " + std::to_string(1000 * k) + ", 30, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S\r\n";
    auto r = leggi_descrizioni(linea_con("cartello_indicatore, 100, (A)\r\ncartello_indicatore, 200, (B)\r\n"
                                         "cartello_indicatore, 300, (C)\r\n",
                                         "lunghezza percorso, 100000\r\n"),
                               treno_con(stazioni));
    EXPECT_EQ(r.codice(), 10);
    EXPECT_EQ(r.m.oggetti[76].posizione, 76000);
    EXPECT_EQ(r.m.oggetti[77].nome, "");
    EXPECT_EQ(r.m.oggetti[78].nome, "(C)");
}

// A code 15 in the line file ends only that file: the train file is read
// whole, its fills run, and the code stays.
TEST(LetturaTreno, TrainFileIsReadWholeAfterALineCode15) {
    auto r = leggi_descrizioni(linea_con("pendenza, 16950, 2\r\n"),
                               treno_con("aderenza, 0, 100\r\nsegnale, 1000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 50\r\n"));
    EXPECT_EQ(r.codice(), 15);
    EXPECT_EQ(r.posizione(), 16950);
    EXPECT_EQ(r.m.celle[21].tipo, CELLA_SEGNALE);
    EXPECT_EQ(r.m.celle[21].tempo, 101);
    EXPECT_EQ(r.m.celle[337].aderenza, 100);
}

// The longest line: the plan's metre counter may not pass 1000000 inside a curve.
TEST(LetturaLinea, LongestLineAndTheMetreLimit) {
    auto r = leggi_descrizioni(linea_con("curvad1, 999000, 500\r\n", "lunghezza percorso, 1000000\r\n"), TRENO_VUOTO);
    EXPECT_EQ(r.codice(), 0);
    EXPECT_EQ(r.m.tracciato.size(), 1007001u);
    EXPECT_TRUE(std::holds_alternative<double>(righe_tracciato(r.m.tracciato)[1006998].x));

    auto oltre =
        leggi_descrizioni(linea_con("curvad1, 999950, 100\r\n", "lunghezza percorso, 1000000\r\n"), TRENO_VUOTO);
    EXPECT_EQ(oltre.codice(), 103);
    EXPECT_TRUE(oltre.treno_rimasto);
    // Rows up to the limit's metre were stepped before the refusal, not one more or less.
    EXPECT_EQ(oltre.m.tracciato.assegnate(), 1000001u);
}

}  // namespace
}  // namespace compattatore
