#include "cli/compila_treni.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <thread>

#include "cli/attesa_directory.h"
#include "cli/cartella_uscita.h"
#include "cli/consegna_treni.h"
#include "cli/stato_uscita.h"
#include "compiler/memorizza_percorso.h"
#include "model/nomi_file.h"
#include "platform/blocco_directory.h"
#include "platform/file.h"
#include "platform/flussi_standard.h"
#include "platform/temporanei.h"

namespace compattatore {

namespace {

// Runs `prendi` on this thread, after `intanto`, and on a thread for each
// other core, up to `n` threads in all, so that no more threads run than
// there are cores. The threads started leave the termination signals to
// this one, whose handler lets their steps on disk end. The first failure
// of any is thrown again once all have ended.
void in_parallelo(size_t n, const std::function<void()>& prendi, const std::function<void()>& intanto) {
    const size_t altri = std::min<size_t>(n, std::max(1U, std::thread::hardware_concurrency()) - 1);
    std::vector<std::exception_ptr> guasti(altri + 1);
    const auto con_guasto = [&](size_t f, const std::function<void()>& lavoro) {
        try {
            lavoro();
        } catch (...) {
            guasti[f] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> gruppo;
        for (size_t f = 1; f <= altri; ++f)
            gruppo.emplace_back([&, f] {
                piattaforma::segnali_al_principale();
                con_guasto(f, prendi);
            });
        // Should it fail, the threads are joined as the group goes.
        con_guasto(0, [&] {
            intanto();
            prendi();
        });
    }
    for (const std::exception_ptr& guasto : guasti)
        if (guasto) std::rethrow_exception(guasto);
}

// What tells one diagnostic from another: each train's compile reports the
// line file's, which are shown once.
std::string impronta(const Diagnostica& d) {
    std::string testo = std::to_string(static_cast<int>(d.livello)) + "|" + std::to_string(d.codice.value_or(-1)) +
                        "|" + std::string(d.gruppo) + "|" + std::to_string(d.luogo.riga) + ":" +
                        std::to_string(d.luogo.colonna) + "|" + std::to_string(d.posizione.value_or(-1)) + "|" +
                        std::to_string(d.cella.value_or(-1)) + "|" + d.motivo;
    for (const Nota& n : d.note)
        testo += "|" + n.file + ":" + std::to_string(n.luogo.riga) + ":" + std::to_string(n.luogo.colonna) + n.testo;
    return testo;
}

// The errors past the limit of the whole set left out.
bool taglia_al_limite(std::vector<Diagnostica>& voci, size_t massimo) {
    if (massimo == 0) return false;
    size_t errori = 0;
    for (size_t i = 0; i < voci.size(); ++i) {
        if (voci[i].livello != Livello::errore || ++errori <= massimo) continue;
        voci.resize(i);
        return true;
    }
    return false;
}

// What a train's compile leaves for the report once its model is encoded
// and its files handed over for writing: the model itself goes on the
// worker's thread, so that the trains hold only their own files' bytes, not
// a model each.
struct EsitoTreno {
    ElencoDiagnostiche diagnostiche;
    bool con_errore = false;
    std::string conteggi;
    bool da_scrivere = false;
};

// The files to be written, if any, go to `file`.
EsitoTreno esito_treno(Compilazione c, const OpzioniScrittura& opzioni, const ResocontoCompila& resoconto,
                       std::optional<FileTreno>& file) {
    EsitoTreno e;
    // A warning the options made an error keeps the files back as any error does.
    const bool promossi = avvisi_promossi(c.diagnostiche.voci(), resoconto);
    e.con_errore = c.diagnostiche.errori() != 0 || codice_riservato(c.diagnostiche).has_value() || promossi;
    e.conteggi = conteggi_compilazione(c.modello, c.provenienze);
    e.da_scrivere = da_scrivere(c, opzioni) && (!promossi || opzioni.forza);
    if (e.da_scrivere) file = codifica_file_treno(c.modello);
    e.diagnostiche = std::move(c.diagnostiche);
    return e;
}

}  // namespace

int compila_treni(const RichiestaTreni& r) {
    const size_t n = r.treni.size();
    std::vector<SorgenteAutore> testi{{r.file_linea, {}}};
    for (const TrenoDaCompilare& t : r.treni) testi.push_back({t.file, {}});
    // Every file read here, so that one that cannot be read fails the
    // compile before any is written; a train's file is converted on the
    // thread that compiles it.
    std::vector<std::optional<Diagnostica>> illeggibili(testi.size());
    illeggibili[0] = leggi_sorgente(testi[0]);
    for (size_t i = 1; i < testi.size(); ++i) illeggibili[i] = leggi_byte_sorgente(testi[i]);
    // JSON diagnostics are the output a program reads; the listing then goes to standard error.
    const bool json = r.resoconto.forma == FormaDiagnostiche::json;
    const auto diagnostiche = json ? piattaforma::scrivi_su_uscita : piattaforma::scrivi_su_errore;
    const auto elenco = json ? piattaforma::scrivi_su_errore : piattaforma::scrivi_su_uscita;
    if (illeggibili[0]) {
        for (size_t i = 1; i < testi.size(); ++i)
            if (!illeggibili[i]) illeggibili[i] = converti_sorgente(testi[i]);
        std::vector<Diagnostica> voci;
        for (const std::optional<Diagnostica>& d : illeggibili)
            if (d) voci.push_back(*d);
        diagnostiche(resoconto_diagnostiche(voci, false, testi, r.resoconto));
        return USCITA_SCENARIO;
    }

    const OpzioniCompilazione base{.chiave_linea = r.chiave_linea,
                                   .chiave_treno = {},
                                   .crea_tracciato = r.tracciato ? 1 : 0,
                                   .lettura = {.tutti_gli_errori = true, .massimo_errori = r.resoconto.massimo_errori},
                                   .forza = r.forza && r.scrivi};
    const LineaMemorizzata linea = memorizza_linea(inizia_compilazione(base).modello, r.file_linea, testi[0].testo);
    const OpzioniScrittura opzioni{.directory = r.directory, .scrivi = r.scrivi, .forza = r.forza};
    std::optional<piattaforma::BloccoDirectory> blocco;
    if (r.scrivi) {
        prepara_cartella_uscita(r.directory);
        blocco.emplace(r.directory, [&] { attesa_directory(r.directory); });
    }
    // Each train compiled, its files encoded and written on whichever
    // thread takes it, the plan, the line's alone and the largest file,
    // laid out on this one meanwhile under its temporary name: a train's
    // set goes in place once the plan is, and the plan once a train is to
    // be written. A plan that cannot be laid out (no directory to hold it,
    // say) fails the compile only when a train is to be written, after the
    // diagnostics, as it does for one train.
    std::vector<std::optional<EsitoTreno>> esiti(n);
    ConsegnaTreni consegna(n, r.directory, r.scrivi && r.tracciato, r.sincronizza);
    std::atomic<size_t> prossimo{0};
    in_parallelo(
        n,
        [&] {
            for (;;) {
                if (consegna.poni_uno_in_attesa(false)) continue;
                const size_t i = prossimo++;
                if (i >= n) break;
                if (!illeggibili[i + 1]) illeggibili[i + 1] = converti_sorgente(testi[i + 1]);
                if (illeggibili[i + 1]) continue;
                OpzioniCompilazione o = base;
                o.chiave_treno = r.treni[i].chiave;
                const SorgentiDescrizione sorgenti{r.file_linea, r.treni[i].file, testi[0].testo, testi[i + 1].testo};
                std::optional<FileTreno> file;
                esiti[i] = esito_treno(compila_treno(linea, sorgenti, o), opzioni, r.resoconto, file);
                if (file) consegna.treno_pronto(i, std::move(*file));
            }
            while (consegna.poni_uno_in_attesa(true)) {
            }
        },
        [&] {
            if (!r.scrivi || !r.tracciato) return;
            std::unique_ptr<TracciatoPreparato> tracciato;
            std::exception_ptr guasto;
            try {
                tracciato = std::make_unique<TracciatoPreparato>(linea.modello, r.directory, r.sincronizza);
            } catch (const piattaforma::ErroreFile&) {
                guasto = std::current_exception();
            } catch (...) {
                // The threads waiting for the plan are told before this one fails.
                consegna.tracciato_pronto(nullptr, std::current_exception());
                throw;
            }
            consegna.tracciato_pronto(std::move(tracciato), guasto);
        });

    std::vector<Diagnostica> voci;
    std::set<std::string, std::less<>> della_linea;
    bool troppi = false;
    for (size_t i = 0; i < n; ++i) {
        if (illeggibili[i + 1]) voci.push_back(*illeggibili[i + 1]);
        if (!esiti[i]) continue;
        for (const Diagnostica& d : esiti[i]->diagnostiche.voci())
            if (d.file != r.file_linea || della_linea.insert(impronta(d)).second) voci.push_back(d);
        troppi = troppi || esiti[i]->diagnostiche.troppi();
    }
    troppi = taglia_al_limite(voci, r.resoconto.massimo_errori) || troppi;
    diagnostiche(resoconto_diagnostiche(voci, troppi, testi, r.resoconto));

    std::string riepilogo;
    std::vector<std::string> esito_scrittura(n);
    bool guasto = false;
    if (std::ranges::any_of(esiti, [](const auto& e) { return e && e->da_scrivere; })) {
        if (const std::exception_ptr tracciato = consegna.guasto_tracciato()) std::rethrow_exception(tracciato);
        riepilogo += consegna.riga_tracciato();
        // Each train's set stood alone: one that could not be written left
        // the others, and its own old files, whole.
        for (size_t i = 0; i < n; ++i) {
            if (!esiti[i] || !esiti[i]->da_scrivere) continue;
            if (const std::optional<std::string>& motivo = consegna.guasto(i)) {
                piattaforma::scrivi_su_errore("compattatore compile: " + *motivo + "\n");
                esito_scrittura[i] = "; not written (a file could not be written)";
                guasto = true;
            } else {
                // Only --force writes a train with errors: the line says so.
                esito_scrittura[i] =
                    consegna.scritti(i) + (esiti[i]->con_errore ? " despite its errors (--force)" : "");
            }
        }
    }
    bool errore = false;
    for (size_t i = 0; i < n; ++i) {
        const bool con_errore = !esiti[i] || esiti[i]->con_errore;
        errore = errore || con_errore;
        std::string riga = da_1252_a_utf8(r.treni[i].chiave) + ": ";
        if (!esito_scrittura[i].empty())
            riga += esiti[i]->conteggi + esito_scrittura[i];
        else if (con_errore)
            riga += "errors, nothing written";
        else
            riga += esiti[i]->conteggi + (r.scrivi ? "; nothing written" : "; nothing written (--check)");
        riepilogo += riga + "\n";
    }
    elenco(riepilogo);
    if (guasto) return USCITA_FILE;
    return errore ? USCITA_SCENARIO : USCITA_RIUSCITA;
}

}  // namespace compattatore
