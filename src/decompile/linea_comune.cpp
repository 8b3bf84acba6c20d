#include "decompile/linea_comune.h"

#include <algorithm>
#include <array>
#include <string>

#include "model/nomi_celle.h"
#include "model/nomi_file.h"

namespace compattatore {

namespace {

using std::to_string;

// The objects a line description lays in cells; a train's objects, laid
// after them, may stand on them.
bool oggetto_della_linea(uint8_t tipo) {
    return tipo == CELLA_INDICATORE_VMAX || tipo == CELLA_GALLERIA || tipo == CELLA_CARTELLO;
}

std::string nome_tipo(uint8_t tipo) {
    return to_string(tipo) + (tipo == CELLA_LIBERA ? " (no object)" : " (" + std::string(nome_oggetto(tipo)) + ")");
}

// The first field of a pair that differs, as "`name` is B, FILE gives A",
// where B is the later train's and A the first train's.
class Confronto {
public:
    explicit Confronto(std::string primo) : primo_(std::move(primo)) {}
    void campo(const char* nome, const std::string& primo, const std::string& questo) {
        if (!motivo_ && primo != questo)
            motivo_ = std::string("`") + nome + "` is " + questo + ", " + primo_ + " gives " + primo;
    }
    void campo(const char* nome, int64_t primo, int64_t questo) { campo(nome, to_string(primo), to_string(questo)); }
    const std::optional<std::string>& motivo() const { return motivo_; }

private:
    std::string primo_;
    std::optional<std::string> motivo_;
};

// The header records the line description sets: what of each it sets.
std::optional<Scostamento> intestazione_diversa(const TrenoCompilato& primo, const TrenoCompilato& questo) {
    const TabellaOggetti& a = primo.scenario.oggetti;
    const TabellaOggetti& b = questo.scenario.oggetti;
    const std::string file = nome_file_oggetti(questo.chiavi.linea, questo.chiavi.treno);
    Confronto lunghezza(nome_file_oggetti(primo.chiavi.linea, primo.chiavi.treno));
    lunghezza.campo("lunghezza percorso", primo.scenario.lunghezza(), questo.scenario.lunghezza());
    if (lunghezza.motivo()) return Scostamento{file, "record " + to_string(OGGETTO_DIMENSIONI), *lunghezza.motivo()};
    constexpr std::array<int, 5> RECORD{OGGETTO_PROGRESSIVA_TRE, OGGETTO_PROGRESSIVA_TRE + 1,
                                        OGGETTO_PROGRESSIVA_TRE + 2, OGGETTO_LINEA, OGGETTO_TRENO};
    for (int r : RECORD) {
        const Oggetto& x = a[static_cast<size_t>(r)];
        const Oggetto& y = b[static_cast<size_t>(r)];
        Confronto c(nome_file_oggetti(primo.chiavi.linea, primo.chiavi.treno));
        c.campo("inizio", x.inizio, y.inizio);
        c.campo("fine", x.fine, y.fine);
        c.campo("posizione", x.posizione, y.posizione);
        if (c.motivo()) return Scostamento{file, "record " + to_string(r), *c.motivo()};
    }
    return std::nullopt;
}

// A text sign's text, from the record its cell names.
std::string testo_cartello(const ScenarioCompilato& s, const Cella& c) {
    return c.dato1 >= 0 && c.dato1 < NUMERO_OGGETTI ? "'" + s.oggetti[static_cast<size_t>(c.dato1)].nome + "'"
                                                    : "record " + to_string(c.dato1);
}

std::optional<std::string> cella_diversa(const TrenoCompilato& primo, const TrenoCompilato& questo, size_t i) {
    const Cella& x = primo.scenario.celle[i];
    const Cella& y = questo.scenario.celle[i];
    Confronto c(nome_file_celle(primo.chiavi.linea, primo.chiavi.treno));
    c.campo("pendenza", x.pendenza, y.pendenza);
    c.campo("montagna", x.montagna, y.montagna);
    const bool linea_x = oggetto_della_linea(x.tipo), linea_y = oggetto_della_linea(y.tipo);
    // A line object under a train's object is the train's to cover.
    const bool confrontabili =
        (linea_x || linea_y) && (linea_x || x.tipo == CELLA_LIBERA) && (linea_y || y.tipo == CELLA_LIBERA);
    if (confrontabili) {
        c.campo("tipo", nome_tipo(x.tipo), nome_tipo(y.tipo));
        if (x.tipo == CELLA_CARTELLO && y.tipo == CELLA_CARTELLO) {
            c.campo("text", testo_cartello(primo.scenario, x), testo_cartello(questo.scenario, y));
        } else {
            c.campo("dato1", x.dato1, y.dato1);
        }
        c.campo("dato2", x.dato2, y.dato2);
        c.campo("dato3", x.dato3, y.dato3);
        c.campo("dato4", x.dato4, y.dato4);
    }
    return c.motivo();
}

std::optional<Scostamento> linee_diverse(const TrenoCompilato& primo, const TrenoCompilato& questo) {
    if (auto d = intestazione_diversa(primo, questo)) return d;
    const std::string file = nome_file_celle(questo.chiavi.linea, questo.chiavi.treno);
    const size_t n = std::min(primo.scenario.celle.size(), questo.scenario.celle.size());
    // The same length gives the same cells: a file of another count is refused when read.
    for (size_t i = 0; i < n; ++i) {
        if (auto motivo = cella_diversa(primo, questo, i))
            return Scostamento{
                file, "cell " + to_string(i) + " (metre " + to_string(inizio_cella(static_cast<int64_t>(i))) + ")",
                *motivo};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Scostamento> prima_linea_diversa(const std::vector<TrenoCompilato>& treni) {
    for (size_t k = 1; k < treni.size(); ++k) {
        if (auto d = linee_diverse(treni.front(), treni[k])) {
            d->motivo += ": the two trains were compiled from different line files";
            return d;
        }
    }
    return std::nullopt;
}

}  // namespace compattatore
