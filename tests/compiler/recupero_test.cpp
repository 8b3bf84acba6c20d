// Reading on past rejected records: every error of a scenario once, in file
// order, and none that an earlier record caused.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "compiler/lettura.h"
#include "compiler/lettura_linea.h"
#include "compiler/lettura_treno.h"
#include "compiler/memorizza_dati.h"
#include "support/molti_errori.h"

namespace compattatore {
namespace {

const std::string LINEA = "L_linea.txt";
const std::string TRENO = "L_T-.txt";

struct Atteso {
    char file;  // 'L' line description, 'T' train description
    int riga, colonna;
    int32_t codice;
    int riga_record;  // the line of the record's keyword: deleting it deletes the error
    bool operator==(const Atteso&) const = default;
};

void PrintTo(const Atteso& a, std::ostream* os) {
    *os << a.file << ":" << a.riga << ":" << a.colonna << " E" << a.codice;
}

std::vector<Atteso> errori_di(const std::string& linea, const std::string& treno) {
    Modello m;
    m.stato.chiave_linea = std::string(1, 'L');
    m.stato.chiave_treno = std::string(1, 'T');
    m.stato.crea_tracciato = 1;
    const EsitoLettura esito =
        memorizza_dati(m, {LINEA, TRENO, linea, treno}, {.tutti_gli_errori = true, .massimo_errori = 0});
    std::vector<Atteso> errori;
    for (const Diagnostica& d : esito.diagnostiche.voci())
        if (d.livello == Livello::errore)
            errori.push_back({d.file == LINEA ? 'L' : 'T', d.luogo.riga, d.luogo.colonna, d.codice.value_or(0), 0});
    return errori;
}

std::string senza_riga(const std::string& testo, int riga) {
    size_t inizio = 0;
    for (int r = 1; r < riga; ++r) inizio = testo.find('\n', inizio) + 1;
    return testo.substr(0, inizio) + testo.substr(testo.find('\n', inizio) + 1);
}

struct Caso {
    const char* nome;
    std::string linea, treno;
    std::vector<Atteso> errori;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

using prova::LINEA_ERRATA;
using prova::LINEA_PULITA;
using prova::TRENO_ERRATO;
using prova::TRENO_PULITO;

const std::vector<Atteso> ERRORI_LINEA = {
    {'L', 3, 31, 25, 3}, {'L', 5, 11, 15, 5}, {'L', 7, 18, 21, 7}, {'L', 8, 1, 103, 8}};

const std::vector<Atteso> ERRORI_TRENO = {
    {'T', 4, 1, 25, 3}, {'T', 5, 10, 16, 5}, {'T', 6, 11, 8, 6}, {'T', 8, 15, 7, 8}};

std::vector<Atteso> unite(std::vector<Atteso> a, const std::vector<Atteso>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class MoltiErrori : public ::testing::TestWithParam<Caso> {};

TEST_P(MoltiErrori, EachOnceInFileOrder) {
    const Caso& c = GetParam();
    std::vector<Atteso> attesi = c.errori;
    for (Atteso& a : attesi) a.riga_record = 0;
    EXPECT_EQ(errori_di(c.linea, c.treno), attesi);
}

// Deleting the record of any one error leaves exactly the others: none of
// them was caused by an earlier rejected record.
TEST_P(MoltiErrori, DeletingOneRecordLeavesTheOthers) {
    const Caso& c = GetParam();
    for (size_t tolto = 0; tolto < c.errori.size(); ++tolto) {
        const Atteso& via = c.errori[tolto];
        SCOPED_TRACE(testing::PrintToString(via));
        std::vector<Atteso> attesi;
        for (size_t i = 0; i < c.errori.size(); ++i) {
            if (i == tolto) continue;
            Atteso a = c.errori[i];
            if (a.file == via.file && a.riga > via.riga_record) --a.riga;  // one line fewer above it
            a.riga_record = 0;
            attesi.push_back(a);
        }
        const std::string linea = via.file == 'L' ? senza_riga(c.linea, via.riga_record) : c.linea;
        const std::string treno = via.file == 'T' ? senza_riga(c.treno, via.riga_record) : c.treno;
        EXPECT_EQ(errori_di(linea, treno), attesi);
    }
}

INSTANTIATE_TEST_SUITE_P(Casi, MoltiErrori,
                         ::testing::Values(Caso{"line file", LINEA_ERRATA, TRENO_PULITO, ERRORI_LINEA},
                                           Caso{"train file", LINEA_PULITA, TRENO_ERRATO, ERRORI_TRENO},
                                           Caso{"both files", LINEA_ERRATA, TRENO_ERRATO,
                                                unite(ERRORI_LINEA, ERRORI_TRENO)}),
                         [](const auto& info) {
                             std::string nome = info.param.nome;
                             std::replace(nome.begin(), nome.end(), ' ', '_');
                             return nome;
                         });

// A rejected record leaves the model and the reader's state as if it had
// not been there, although each of these changed something before it was
// refused: the reading of the rest gives what the file without it gives.
struct Rifiuto {
    const char* nome;
    int32_t lunghezza;
    std::string prima_linea, dopo_linea, prima_treno, dopo_treno;  // around the rejected record
    std::string rifiutato;
    char dove;  // 'G' the line's general section, 'C' its body, 'T' the train file
    int32_t codice;
};

void PrintTo(const Rifiuto& c, std::ostream* os) { *os << c.nome; }

struct Letto {
    Modello m;
    std::vector<int32_t> errori;
};

// Both files read as the second reading of memorizza_dati reads them, on past
// every rejected record, keeping the model that reading ends with.
Letto leggi_recuperando(const std::string& linea, const std::string& treno) {
    Letto l;
    l.m.stato.crea_tracciato = 1;
    ElencoDiagnostiche diagnostiche;
    Provenienze provenienze;
    Raccolta raccolta(diagnostiche, provenienze, true);
    Lettura lettura_linea(l.m, linea, LINEA, raccolta);
    int32_t prossimo_cartello = PRIMO_CARTELLO;
    if (leggi_descrizione_linea(lettura_linea, prossimo_cartello) == Esito::prosegui) {
        Lettura lettura_treno(l.m, treno, TRENO, raccolta);
        leggi_descrizione_treno(lettura_treno, prossimo_cartello);
    }
    for (const Diagnostica& d : diagnostiche.voci())
        if (d.livello == Livello::errore) l.errori.push_back(d.codice.value_or(0));
    return l;
}

std::vector<double> righe_piano(const TrattiTracciato& t) {
    std::vector<double> righe;
    t.per_blocchi([&righe](std::span<const PuntoPiano> blocco) {
        for (const PuntoPiano& p : blocco) righe.insert(righe.end(), {p.x, p.y});
    });
    return righe;
}

class RecordRifiutato : public ::testing::TestWithParam<Rifiuto> {};

TEST_P(RecordRifiutato, LeavesTheModelAsWithoutIt) {
    const Rifiuto& c = GetParam();
    auto file = [&](bool con_rifiutato) {
        auto se = [&](char dove) { return con_rifiutato && c.dove == dove ? c.rifiutato : std::string(); };
        const std::string linea = "[generale]\r\nlunghezza percorso, " + std::to_string(c.lunghezza) + "\r\n" +
                                  se('G') + "[corpo]\r\n" + c.prima_linea + se('C') + c.dopo_linea + "[fine]\r\n";
        const std::string treno =
            "[generale]\r\nvelocita, 0, 100\r\n" + c.prima_treno + se('T') + c.dopo_treno + "[fine]\r\n";
        return leggi_recuperando(linea, treno);
    };
    const Letto con = file(true);
    const Letto senza = file(false);
    ASSERT_TRUE(senza.errori.empty());
    EXPECT_EQ(con.errori, std::vector<int32_t>{c.codice});
    EXPECT_TRUE(con.m.celle == senza.m.celle);
    EXPECT_TRUE(con.m.oggetti == senza.m.oggetti);
    EXPECT_EQ(con.m.tracciato.assegnate(), senza.m.tracciato.assegnate());
    EXPECT_TRUE(righe_piano(con.m.tracciato) == righe_piano(senza.m.tracciato));
}

INSTANTIATE_TEST_SUITE_P(
    Casi, RecordRifiutato,
    ::testing::Values(
        // The rows laid up to metre 1,000,000 and the reader's metre go back.
        Rifiuto{"curve_past_the_last_metre", 1000000, "curva2, 1000, 300\r\n", "curva3, 2000, 100\r\n", "", "",
                "curva1, 999000, 5000\r\n", 'C', 103},
        // Packed speeds that do not fit, found after the board took its cell.
        Rifiuto{"board_speeds_overflow", 20000, "indicatori_vmax, 500, 60,0,0,0,0,0,0,0\r\n", "pendenza, 3000, 4\r\n",
                "", "", "indicatori_vmax, 1000, 2000,0,0,0,0,0,0,0\r\n", 'C', 25},
        // The repetition stretch is written before its start is checked.
        Rifiuto{"repetition_start_off_50", 20000, "", "", "", "", "ripetizione segnali 4, 55, 100\r\n", 'G', 3},
        // A signal's fields that overflow after it took its cell.
        Rifiuto{"signal_overflow", 20000, "", "", "", "segnale, 4000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n",
                "segnale, 2000, 1000000000, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n", 'T', 25},
        // Warning, start and end placed before an approach cell is found taken.
        Rifiuto{"slowdown_approach_taken", 20000, "", "", "segnale, 3650, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n",
                "abbattimento, 9000, 90\r\n", "rallentamento, 5000, 60, 500, 1, 1, 60\r\n", 'T', 20}),
    [](const auto& info) { return std::string(info.param.nome); });

// The model written with --force is the one read up to the first error,
// whatever the reading on found.
TEST(Recupero, TheModelStaysTheOneReadUpToTheFirstError) {
    Modello tutti, primo;
    for (Modello* m : {&tutti, &primo}) {
        m->stato.chiave_linea = std::string(1, 'L');
        m->stato.chiave_treno = std::string(1, 'T');
        m->stato.crea_tracciato = 1;
    }
    const EsitoLettura letto = memorizza_dati(tutti, {LINEA, TRENO, LINEA_PULITA, TRENO_ERRATO},
                                              {.tutti_gli_errori = true, .massimo_errori = 0});
    memorizza_dati(primo, {LINEA, TRENO, LINEA_PULITA, TRENO_ERRATO});
    ASSERT_NE(letto.diagnostiche.primo_errore(), nullptr);
    EXPECT_EQ(letto.diagnostiche.primo_errore()->codice, 25);
    EXPECT_EQ(tutti.celle[41].tipo, CELLA_LIBERA);  // the signals after the first error are not in it
    ASSERT_EQ(tutti.celle.size(), primo.celle.size());
    for (size_t i = 0; i < tutti.celle.size(); ++i) EXPECT_EQ(tutti.celle[i].tipo, primo.celle[i].tipo) << i;
}

// Without a usable length there are no cells: reading stops and says why.
TEST(Recupero, NoCellsStopsTheReadingWithANote) {
    Modello m;
    m.stato.crea_tracciato = 1;
    const EsitoLettura esito = memorizza_dati(
        m, {LINEA, TRENO, "[generale]\r\nlunghezza percorso, 1x\r\n[pendenze]\r\npendenza, 100, 2\r\n", TRENO_ERRATO},
        {.tutti_gli_errori = true, .massimo_errori = 0});
    ASSERT_EQ(esito.diagnostiche.voci().size(), 1u);
    const Diagnostica& d = esito.diagnostiche.voci()[0];
    EXPECT_EQ(d.codice, 25);
    ASSERT_EQ(d.note.size(), 1u);
    EXPECT_EQ(d.note[0].testo.rfind("the rest of the scenario was not checked", 0), 0u);
}

TEST(Recupero, StopsAtTheLimitOfErrors) {
    Modello m;
    m.stato.crea_tracciato = 1;
    const EsitoLettura esito =
        memorizza_dati(m, {LINEA, TRENO, LINEA_ERRATA, TRENO_ERRATO}, {.tutti_gli_errori = true, .massimo_errori = 3});
    EXPECT_EQ(esito.diagnostiche.errori(), 3u);
    EXPECT_TRUE(esito.diagnostiche.troppi());
}

}  // namespace
}  // namespace compattatore
