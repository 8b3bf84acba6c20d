#include "compiler/finitura.h"

#include <algorithm>
#include <utility>

#include "compiler/codici_errore.h"

namespace compattatore {

namespace {

constexpr int32_t CELLE_SCANSIONE_AVVISO = 20;
constexpr int32_t PRIMA_CELLA_SCANSIONE_AVVISO = 3;
constexpr int16_t VELOCITA_SENZA_CODICI_INTERNI = 110;
constexpr int32_t PASSO_CODICI_INTERNI = 8;
constexpr int32_t CELLE_RICERCA_SEGNALE = 12;
// Holds the scenario's identity stamps: never a code cell.
constexpr int32_t CELLA_TIMBRI = 1;

class Rifinitura {
public:
    explicit Rifinitura(Modello& m) : c_(m.celle), ultima_(m.ultima_cella()) {}

    std::vector<AvvisoFinitura> esegui() {
        for (int32_t i = 1; i <= ultima_ - 2; ++i) {
            if (c_[i].tipo == CELLA_AVVISO_RALLENTAMENTO) segnali_prima_dell_avviso(i);
            if (c_[i].tipo == CELLA_INIZIO_RALLENTAMENTO) intorno_al_rallentamento(i);
        }
        return std::move(avvisi_);
    }

private:
    bool libera(int32_t i) const { return i >= 0 && i != CELLA_TIMBRI && i <= ultima_ && cella_libera(c_[i]); }
    bool abbattimento(int32_t i) const { return c_[i].tipo == CELLA_ABBATTIMENTO; }

    void piazza(int32_t i) {
        c_[i].tipo = CELLA_ABBATTIMENTO;
        c_[i].dato1 = VALORE_ABBATTIMENTO;
    }

    void abbassa(int32_t i) { c_[i].dato1 = std::min(VALORE_ABBATTIMENTO, c_[i].dato1); }

    void registra(int32_t codice, int32_t cella, int32_t oggetto) { avvisi_.push_back({codice, cella, oggetto}); }

    void segnali_prima_dell_avviso(int32_t i) {
        for (int32_t k = 1; k <= CELLE_SCANSIONE_AVVISO && i - k >= PRIMA_CELLA_SCANSIONE_AVVISO; ++k) {
            const int32_t segnale = i - k;
            if (c_[segnale].tipo != CELLA_SEGNALE) continue;
            if (libera(segnale - 1))
                piazza(segnale - 1);
            else if (libera(segnale - 2))
                piazza(segnale - 2);
            else if (abbattimento(segnale - 1))
                abbassa(segnale - 1);
            else if (abbattimento(segnale - 2))
                abbassa(segnale - 2);
            else
                registra(AVVISO_CODICE_SEGNALE, segnale, segnale);
        }
    }

    // The first free cell of three, tried in the order given.
    void finestra(int32_t inizio, int32_t a, int32_t b, int32_t c) {
        for (int32_t p : {a, b, c}) {
            if (libera(p)) {
                piazza(p);
                return;
            }
        }
        registra(AVVISO_FINESTRA_INIZIO, inizio, inizio);
    }

    void intorno_al_rallentamento(int32_t i) {
        if (i > 7) finestra(i, i - 5, i - 6, i - 7);
        if (i > 13) finestra(i, i - 11, i - 12, i - 13);
        if (i > 20) finestra(i, i - 18, i - 19, i - 20);
        const int32_t fine = c_[i].dato1 < VELOCITA_SENZA_CODICI_INTERNI ? codici_interni(i) : cella_fine(i);
        prima_del_segnale_dopo(i, fine);
    }

    // From the start cell to its end cell, a code cell every 8 cells counted
    // from the one actually used; returns the end cell (or the last cell).
    int32_t codici_interni(int32_t inizio) {
        int32_t cont = 0;
        int32_t k = inizio;
        do {
            ++k;
            ++cont;
            if (cont == PASSO_CODICI_INTERNI) {
                if (libera(k)) {
                    piazza(k);
                    cont = 0;
                } else if (libera(k - 1)) {
                    piazza(k - 1);
                    cont = 1;
                } else if (libera(k + 1)) {
                    piazza(k + 1);
                    cont = -1;
                } else {
                    registra(AVVISO_CODICE_INTERNO, k, inizio);
                }
            }
        } while (c_[k].tipo != CELLA_FINE_RALLENTAMENTO && k < ultima_);
        return k;
    }

    int32_t cella_fine(int32_t inizio) const {
        int32_t k = inizio;
        while (k < ultima_ && c_[k].tipo != CELLA_FINE_RALLENTAMENTO) ++k;
        return k;
    }

    void prima_del_segnale_dopo(int32_t inizio, int32_t fine) {
        int32_t cont = 0;
        for (int32_t s = fine; s <= std::min(fine + CELLE_RICERCA_SEGNALE, ultima_); ++s) {
            if (c_[s].tipo == CELLA_SEGNALE) {
                cont = s - 1;
                break;
            }
        }
        if (cont <= 0) return;
        if (libera(cont))
            piazza(cont);
        else if (libera(cont - 1))
            piazza(cont - 1);
        else
            registra(AVVISO_CODICE_INTERNO, fine, inizio);
    }

    std::vector<Cella>& c_;
    const int32_t ultima_;
    std::vector<AvvisoFinitura> avvisi_;
};

}  // namespace

std::vector<AvvisoFinitura> rifinisci_celle(Modello& m) { return Rifinitura(m).esegui(); }

}  // namespace compattatore
