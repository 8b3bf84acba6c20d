// The format reference cannot drift from the program: it documents every
// section and record keyword of the readers' own tables, every example it
// marks as a scenario compiles with the outcome it states, and its table of
// error codes is the program's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/codici_errore.h"
#include "compiler/compila.h"
#include "compiler/parole_chiave.h"
#include "support/cartella_temporanea.h"
#include "support/diagnostiche_prova.h"

namespace compattatore {
namespace {

const std::string RIFERIMENTO = std::string(DIRECTORY_DOCS) + "/description-files.md";

// A fenced example: its label, its lines and the outcome stated under it.
struct Esempio {
    std::string etichetta;  // scenario-line, scenario-train or record
    std::string testo;
    std::string esito;  // "clean", "error N" or "warning N"; empty when none is stated
    int riga;           // of the opening fence, for the failure messages
};

std::vector<Esempio> esempi(const std::string& documento) {
    std::vector<Esempio> trovati;
    std::istringstream righe(documento);
    std::string riga;
    int numero = 0;
    Esempio* aperto = nullptr;
    Esempio* in_attesa_esito = nullptr;
    static const std::regex esito(R"(^Outcome: (clean|error \d+|warning \d+)\.$)");
    while (std::getline(righe, riga)) {
        ++numero;
        if (aperto) {
            if (riga == "```") {
                in_attesa_esito = aperto;
                aperto = nullptr;
            } else {
                aperto->testo += riga + "\n";
            }
            continue;
        }
        if (riga.starts_with("```")) {
            in_attesa_esito = nullptr;
            const std::string etichetta = riga.substr(3);
            if (etichetta == "scenario-line" || etichetta == "scenario-train" || etichetta == "record") {
                trovati.push_back({etichetta, "", "", numero});
                aperto = &trovati.back();
            }
            continue;
        }
        if (in_attesa_esito && !riga.empty()) {
            std::smatch m;
            if (std::regex_match(riga, m, esito)) in_attesa_esito->esito = m[1].str();
            in_attesa_esito = nullptr;
        }
    }
    return trovati;
}

// What the program makes of a line and a train description, in the words of
// the reference; the reader's reason goes to `motivo`.
std::string esito_compilazione(const std::string& linea, const std::string& treno, std::string* motivo = nullptr) {
    const SorgentiDescrizione sorgenti{"Valle_linea.txt", "Valle_R1-.txt", linea, treno};
    const Compilazione esito =
        compila(sorgenti, {.chiave_linea = "Valle", .chiave_treno = "R1", .crea_tracciato = 1, .lettura = {}});
    if (motivo)
        for (const Diagnostica& d : esito.diagnostiche.voci()) *motivo += d.motivo + "; ";
    if (auto riservato = codice_riservato(esito.diagnostiche)) return "error " + std::to_string(*riservato);
    if (int32_t lettura = prova::codice_lettura(esito.diagnostiche); lettura != 0)
        return "error " + std::to_string(lettura);
    std::set<int32_t> avvisi;
    for (int32_t codice : prova::codici_finitura(esito.diagnostiche)) avvisi.insert(codice);
    std::string testo;
    for (int32_t codice : avvisi) testo += (testo.empty() ? "warning " : ", ") + std::to_string(codice);
    // The reader's own warnings (an unknown record, a reversed span...) spoil a clean outcome too.
    for (const Diagnostica& d : prova::mostrate(esito.diagnostiche))
        if (d.livello == Livello::avviso && !d.codice)
            testo += (testo.empty() ? "warning " : ", ") + std::string(d.gruppo);
    return testo.empty() ? "clean" : testo;
}

// The record's keyword as the reference's examples write it: the text before
// the first comma, without digits ("curvas5" and "curvas4" are one keyword).
std::string parola_del_record(const std::string& riga) {
    std::string parola = riga.substr(0, riga.find(','));
    std::erase_if(parola, [](char c) { return c >= '0' && c <= '9'; });
    return parola;
}

// Puts `record` after the last line of `file` with the same keyword; false
// when there is none.
bool inserisci(std::string& file, const std::string& record) {
    std::vector<std::string> righe;
    std::istringstream lettura(file);
    for (std::string r; std::getline(lettura, r);) righe.push_back(r);
    const std::string parola = parola_del_record(record);
    auto ultima = std::find_if(righe.rbegin(), righe.rend(), [&](const std::string& r) {
        return r.find(',') != std::string::npos && parola_del_record(r) == parola;
    });
    if (ultima == righe.rend()) return false;
    righe.insert(ultima.base(), record.substr(0, record.size() - 1));
    file.clear();
    for (const std::string& r : righe) file += r + "\n";
    return true;
}

class Riferimento : public ::testing::Test {
protected:
    const std::string documento = prova::leggi_tutto(RIFERIMENTO);
    const std::vector<Esempio> tutti = esempi(documento);

    // The complete small scenario, into which each record example is put.
    std::pair<std::string, std::string> scenario_completo() const {
        const int inizio = static_cast<int>(
            std::count(documento.begin(),
                       documento.begin() + static_cast<long>(documento.find("## A complete small scenario")), '\n'));
        auto linea = std::find_if(tutti.begin(), tutti.end(),
                                  [&](const Esempio& e) { return e.etichetta == "scenario-line" && e.riga > inizio; });
        EXPECT_NE(linea, tutti.end());
        EXPECT_NE(linea + 1, tutti.end());
        if (linea == tutti.end() || linea + 1 == tutti.end()) return {};
        EXPECT_EQ((linea + 1)->etichetta, "scenario-train");
        return {linea->testo, (linea + 1)->testo};
    }
};

TEST_F(Riferimento, EveryExampleStatesItsOutcome) {
    EXPECT_GE(std::count_if(tutti.begin(), tutti.end(), [](const Esempio& e) { return e.etichetta == "record"; }), 20);
    for (const Esempio& e : tutti) {
        if (e.etichetta == "scenario-line") continue;  // its outcome is that of the train file after it
        EXPECT_FALSE(e.esito.empty()) << "line " << e.riga << ": no 'Outcome: ...' under the example";
    }
}

TEST_F(Riferimento, EveryScenarioCompilesAsStated) {
    const Esempio* linea = nullptr;
    int scenari = 0;
    for (const Esempio& e : tutti) {
        if (e.etichetta == "scenario-line") linea = &e;
        if (e.etichetta != "scenario-train") continue;
        ASSERT_NE(linea, nullptr) << "line " << e.riga << ": a train file with no line file before it";
        std::string motivo;
        EXPECT_EQ(esito_compilazione(linea->testo, e.testo, &motivo), e.esito)
            << "scenario at line " << e.riga << ": " << motivo;
        ++scenari;
    }
    EXPECT_GE(scenari, 2);
}

TEST_F(Riferimento, EveryRecordExamplePutIntoTheCompleteScenarioCompilesAsStated) {
    const auto [linea, treno] = scenario_completo();
    ASSERT_EQ(esito_compilazione(linea, treno), "clean");
    for (const Esempio& e : tutti) {
        if (e.etichetta != "record") continue;
        SCOPED_TRACE("record example at line " + std::to_string(e.riga) + ": " + e.testo);
        ASSERT_EQ(std::count(e.testo.begin(), e.testo.end(), '\n'), 1) << "one record line";
        std::string con_linea = linea, con_treno = treno, motivo;
        if (inserisci(con_linea, e.testo)) {
            EXPECT_EQ(esito_compilazione(con_linea, treno, &motivo), e.esito) << motivo;
        } else if (inserisci(con_treno, e.testo)) {
            EXPECT_EQ(esito_compilazione(linea, con_treno, &motivo), e.esito) << motivo;
        } else {
            ADD_FAILURE() << "the complete scenario has no record of this keyword";
        }
    }
}

// The rows "| CODE | MEANING | cause |" of the reference's code table.
std::map<int32_t, std::string> righe_dei_codici(const std::string& documento) {
    std::map<int32_t, std::string> righe;
    const size_t inizio = documento.find("## Error codes");
    std::istringstream testo(documento.substr(inizio, documento.find("\n## ", inizio + 1) - inizio));
    static const std::regex riga_codice(R"(^\| (\d+) \| ([^|]+) \| [^|]+ \|$)");
    std::smatch m;
    for (std::string riga; std::getline(testo, riga);)
        if (std::regex_match(riga, m, riga_codice)) righe[std::stoi(m[1].str())] = m[2].str();
    return righe;
}

TEST_F(Riferimento, TheCodeTableIsTheProgramsOwn) {
    const auto righe = righe_dei_codici(documento);
    int codici = 0;
    for (int32_t codice = 0; codice < 100000; ++codice) {
        const auto voce = voce_codice(codice);
        if (!voce) {
            EXPECT_FALSE(righe.contains(codice))
                << "the reference lists code " << codice << ", which the program does not have";
            continue;
        }
        ++codici;
        ASSERT_TRUE(righe.contains(codice)) << "code " << codice << " is missing from the reference";
        EXPECT_EQ(righe.at(codice), voce->significato) << "code " << codice;
    }
    EXPECT_EQ(static_cast<int>(righe.size()), codici);
}

// The keywords no heading of the reference names in backticks.
template <class Parole>
std::vector<std::string> parole_non_documentate(const std::string& documento, const Parole& parole) {
    std::vector<std::string> titoli;
    std::istringstream righe(documento);
    for (std::string riga; std::getline(righe, riga);)
        if (riga.starts_with("#")) titoli.push_back(riga);
    std::vector<std::string> mancanti;
    for (const ParolaChiave* p : parole) {
        const std::string cercata = "`" + std::string(p->scritta) + "`";
        if (std::none_of(titoli.begin(), titoli.end(),
                         [&](const std::string& t) { return t.find(cercata) != std::string::npos; }))
            mancanti.emplace_back(p->scritta);
    }
    return mancanti;
}

// The section names of the table under `titolo`, in their order.
std::vector<std::string> sezioni_documentate(const std::string& documento, const std::string& titolo) {
    const size_t inizio = documento.find(titolo);
    if (inizio == std::string::npos) return {};
    std::istringstream righe(documento.substr(inizio, documento.find("\n#", inizio + 1) - inizio));
    static const std::regex riga_sezione(R"(^\| `(\[[a-z_]+\])` \|.*)");
    std::vector<std::string> sezioni;
    std::smatch m;
    for (std::string riga; std::getline(righe, riga);)
        if (std::regex_match(riga, m, riga_sezione)) sezioni.push_back(m[1].str());
    return sezioni;
}

template <class Sezioni>
std::vector<std::string> come_testi(const Sezioni& sezioni) {
    return std::vector<std::string>(sezioni.begin(), sezioni.end());
}

TEST_F(Riferimento, EverySectionOfTheReadersTablesIsDocumentedInOrder) {
    EXPECT_EQ(sezioni_documentate(documento, "### Sections of the line file"), come_testi(SEZIONI_LINEA));
    EXPECT_EQ(sezioni_documentate(documento, "### Sections of the train file"), come_testi(SEZIONI_TRENO));
}

TEST_F(Riferimento, EveryRecordKeywordOfTheReadersTablesIsDocumented) {
    EXPECT_EQ(parole_non_documentate(documento, PAROLE_LINEA), std::vector<std::string>{});
    EXPECT_EQ(parole_non_documentate(documento, PAROLE_TRENO), std::vector<std::string>{});
}

// A keyword added to a reader's table and not to the reference is caught.
TEST_F(Riferimento, AKeywordAddedToTheReaderButNotToTheReferenceIsCaught) {
    static constexpr ParolaChiave NUOVA{"frenatura", {"frenatura", ""}};
    std::vector<const ParolaChiave*> parole(PAROLE_TRENO.begin(), PAROLE_TRENO.end());
    parole.push_back(&NUOVA);
    EXPECT_EQ(parole_non_documentate(documento, parole), std::vector<std::string>{"frenatura"});

    std::vector<std::string> sezioni = come_testi(SEZIONI_TRENO);
    sezioni.insert(sezioni.end() - 1, "[frenature]");
    EXPECT_NE(sezioni_documentate(documento, "### Sections of the train file"), sezioni);
}

// Each record of the readers' tables has an example, in the file it belongs to.
TEST_F(Riferimento, EveryRecordKeywordHasAnExampleInItsOwnFile) {
    const auto [linea, treno] = scenario_completo();
    auto ha_esempio = [&](const ParolaChiave& parola, std::string base) {
        return std::any_of(tutti.begin(), tutti.end(), [&](const Esempio& e) {
            std::string copia = base;
            return e.etichetta == "record" && riconosce(e.testo.substr(0, e.testo.find(',')), parola) &&
                   inserisci(copia, e.testo);
        });
    };
    for (const ParolaChiave* p : PAROLE_LINEA) EXPECT_TRUE(ha_esempio(*p, linea)) << p->scritta;
    for (const ParolaChiave* p : PAROLE_TRENO) EXPECT_TRUE(ha_esempio(*p, treno)) << p->scritta;
}

}  // namespace
}  // namespace compattatore
