#include "decompile/confronto.h"

#include "decompile/curve.h"
#include "model/nomi_celle.h"
#include "model/nomi_file.h"
#include "model/tracciato.h"

namespace compattatore {

namespace {

using std::to_string;

// A cell's kind, given with the object it names: what meets at the cell and
// what the written description puts there instead.
struct TipoCella {
    uint8_t tipo;
    bool operator==(const TipoCella&) const = default;
};

// "`codice` 55 (the description gives 0)" for each field that differs.
class Differenze {
public:
    template <class T>
    void campo(const char* nome, const T& atteso, const T& ottenuto) {
        if (atteso == ottenuto) return;
        if (!testo_.empty()) testo_ += "; ";
        testo_ +=
            std::string("`") + nome + "` is " + valore(atteso) + ", the written description gives " + valore(ottenuto);
        persi_ += std::string(persi_.empty() ? "" : ", ") + "`" + nome + "` " + valore(atteso);
    }
    const std::string& testo() const { return testo_; }
    // The file's values the written description cannot give back.
    const std::string& persi() const { return persi_; }

private:
    template <class T>
    static std::string valore(const T& v) {
        if constexpr (std::is_same_v<T, std::string>)
            return "'" + v + "'";
        else if constexpr (std::is_same_v<T, TipoCella>)
            return to_string(v.tipo) +
                   (v.tipo == CELLA_LIBERA ? " (no object)" : " (" + std::string(nome_oggetto(v.tipo)) + ")");
        else
            return to_string(v);
    }
    std::string testo_;
    std::string persi_;
};

Differenze differenze_cella(const Cella& a, const Cella& b) {
    Differenze d;
    d.campo("tipo", TipoCella{a.tipo}, TipoCella{b.tipo});
    d.campo("dato1", int{a.dato1}, int{b.dato1});
    d.campo("dato2", int{a.dato2}, int{b.dato2});
    d.campo("dato3", int{a.dato3}, int{b.dato3});
    d.campo("dato4", int{a.dato4}, int{b.dato4});
    d.campo("tempo", int{a.tempo}, int{b.tempo});
    d.campo("codice", int{a.codice}, int{b.codice});
    d.campo("montagna", int{a.montagna}, int{b.montagna});
    d.campo("vel_limite", int{a.vel_limite}, int{b.vel_limite});
    d.campo("pendenza", int{a.pendenza}, int{b.pendenza});
    d.campo("aderenza", int{a.aderenza}, int{b.aderenza});
    return d;
}

Differenze differenze_oggetto(const Oggetto& a, const Oggetto& b) {
    Differenze d;
    d.campo("tipo", int{a.tipo}, int{b.tipo});
    d.campo("inizio", a.inizio, b.inizio);
    d.campo("fine", a.fine, b.fine);
    d.campo("posizione", a.posizione, b.posizione);
    d.campo("attributo", int{a.attributo}, int{b.attributo});
    d.campo("nome", a.nome, b.nome);
    const char* valori[] = {"valori[0]", "valori[1]", "valori[2]", "valori[3]", "valori[4]"};
    for (size_t k = 0; k < a.valori.size(); ++k) d.campo(valori[k], int{a.valori[k]}, int{b.valori[k]});
    const char* flag[] = {"flag[0]", "flag[1]", "flag[2]", "flag[3]"};
    for (size_t k = 0; k < a.flag.size(); ++k) d.campo(flag[k], int{a.flag[k]}, int{b.flag[k]});
    d.campo("orario", a.orario, b.orario);
    return d;
}

}  // namespace

std::vector<Scostamento> confronta(const ScenarioCompilato& atteso, const Modello& ottenuto,
                                   const Provenienze& provenienze, const ChiaviScenario& chiavi) {
    std::vector<Scostamento> esito;
    const std::string file_celle = nome_file_celle(chiavi.linea, chiavi.treno);
    if (atteso.celle.size() != ottenuto.celle.size()) {
        esito.push_back({file_celle, "the file",
                         "holds " + to_string(atteso.celle.size()) + " cells, the written description gives " +
                             to_string(ottenuto.celle.size())});
    } else {
        for (size_t i = 0; i < atteso.celle.size(); ++i) {
            const Differenze d = differenze_cella(atteso.celle[i], ottenuto.celle[i]);
            if (d.testo().empty()) continue;
            // The written record whose object meets the file's here, where a
            // recorder laid it.
            const Provenienza* p = provenienze.di(static_cast<int64_t>(i));
            const std::string chi =
                p ? "; the record at " + p->file + " line " + to_string(p->luogo.riga) + " lays its object here" : "";
            esito.push_back(
                {file_celle,
                 "cell " + to_string(i) + " (metre " + to_string(inizio_cella(static_cast<int64_t>(i))) + ")",
                 d.testo() + chi + "; written back, the cell loses " + d.persi()});
        }
    }
    const std::string file_oggetti = nome_file_oggetti(chiavi.linea, chiavi.treno);
    for (size_t r = 0; r < atteso.oggetti.size(); ++r) {
        const Differenze d = differenze_oggetto(atteso.oggetti[r], ottenuto.oggetti[r]);
        if (!d.testo().empty())
            esito.push_back(
                {file_oggetti, "record " + to_string(r), d.testo() + "; written back, the record loses " + d.persi()});
    }
    if (!atteso.tracciato.empty() && !ottenuto.tracciato.empty()) {
        const Tracciato righe_ottenute = righe_tracciato(ottenuto.tracciato);
        const int64_t riga = prima_riga_diversa(atteso.tracciato, righe_ottenute);
        if (riga >= 0) {
            const auto dove = [&](const Tracciato& t) {
                return riga < static_cast<int64_t>(t.size()) ? descrivi_riga(t[static_cast<size_t>(riga)])
                                                             : std::string("no row");
            };
            esito.push_back(
                {nome_file_tracciato(chiavi.linea), "row " + to_string(riga),
                 "holds " + dove(atteso.tracciato) + ", the written description gives " + dove(righe_ottenute)});
        }
    }
    return esito;
}

}  // namespace compattatore
