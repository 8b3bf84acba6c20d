// The inspect report as text for a terminal.
#include <algorithm>
#include <cstdio>
#include <sstream>

#include "inspect/forme_rapporto.h"
#include "model/testo_1252.h"

namespace compattatore {

namespace {

// As long as the values need: no value is ever cut short.
std::string formato(const char* modello, auto... valori) {
    std::string testo(static_cast<size_t>(std::snprintf(nullptr, 0, modello, valori...)) + 1, '\0');
    std::snprintf(testo.data(), testo.size(), modello, valori...);
    testo.pop_back();
    return testo;
}

std::string codice(const CodiceIdentita& c) {
    return std::to_string(c.registrato) + " (the keys give " + std::to_string(c.atteso) + ": " +
           (c.corrisponde() ? "match" : "MISMATCH") + ")";
}

void scrivi_tratti(std::ostringstream& uscita, const char* titolo, const std::vector<Tratto>& tratti) {
    uscita << "  " << titolo << "\n";
    for (const Tratto& t : tratti) {
        uscita << formato("    %8d m to %8d m  ", t.da, t.a)
               << (t.senza_profilo ? "no profile" : formato("%6lld", static_cast<long long>(t.valore))) << "\n";
    }
}

// Columns on a terminal: UTF-8 text is as wide as its characters, not its bytes.
size_t caratteri(const std::string& utf8) {
    return static_cast<size_t>(
        std::ranges::count_if(utf8, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string valore_campo(const Campo& campo) {
    if (const auto* numero = std::get_if<int64_t>(&campo.valore)) return std::to_string(*numero);
    return "\"" + controlli_visibili(std::get<std::string>(campo.valore)) + "\"";
}

}  // namespace

std::string rapporto_testo(const Rapporto& r) {
    std::ostringstream uscita;
    const Intestazione& i = r.intestazione;
    uscita << "Scenario " << controlli_visibili(i.chiavi.linea) << " / " << controlli_visibili(i.chiavi.treno) << "\n"
           << "  keys in the files    " << controlli_visibili(i.chiavi_nei_file.linea) << " / "
           << controlli_visibili(i.chiavi_nei_file.treno) << "\n"
           << "  line length          " << i.lunghezza << " m\n"
           << "  coaches              " << i.vetture << "\n"
           << "  braked mass          " << i.massa_frenata << " %\n"
           << "  sand                 " << i.sabbia << "\n"
           << "  start clock          " << ora_del_giorno(i.orologio) << "\n"
           << "  signal repetition    " << i.ripetizione_inizio << " m to " << i.ripetizione_fine << " m, "
           << i.codici_ripetizione << " codes\n"
           << "  backgrounds          " << i.sfondi[0] << " " << i.sfondi[1] << " " << i.sfondi[2] << "\n";
    for (const Progressiva& p : i.progressive) {
        uscita << formato("  progressive %d        inizio %d, fine %d, posizione %d (record %d)\n", p.rango, p.inizio,
                          p.fine, p.posizione, p.record);
    }
    uscita << "  codice_gara_st       " << codice(i.codice_gara_st) << "\n"
           << "  codice_gara_og       " << codice(i.codice_gara_og) << "\n"
           << "  plan file            " << (i.con_tracciato ? "present" : "absent") << "\n\n";

    uscita << "Stations (" << r.stazioni.size() << ")\n"
           << "   #  name                       kind  position    stop zone          time      attr  values  flags\n";
    for (const Stazione& s : r.stazioni) {
        const Oggetto& o = s.record;
        const std::string nome = controlli_visibili(s.nome);
        uscita << formato("  %2d  ", s.numero) << nome
               << std::string(caratteri(nome) < 25 ? 25 - caratteri(nome) : 1, ' ')
               << formato("%4d  %8d  %8d..%-8d  %s  %4d  %d %d %d %d %d  %d %d %d %d\n", o.tipo, o.posizione, o.inizio,
                          o.fine, ora_del_giorno(o.orario).c_str(), o.attributo, o.valori[0], o.valori[1], o.valori[2],
                          o.valori[3], o.valori[4], o.flag[0], o.flag[1], o.flag[2], o.flag[3]);
    }
    uscita << "\nText signs (" << r.cartelli.size() << ")\n";
    for (const Cartello& c : r.cartelli) {
        uscita << formato("  record %2d  ", c.record) << (c.cella ? formato("cell %5d", *c.cella) : "no cell   ")
               << "  " << controlli_visibili(c.testo) << "\n";
    }

    uscita << "\nCells from " << r.da << " m to " << r.a << " m (" << r.celle.size() << " not empty)\n";
    for (const CellaDescritta& c : r.celle) {
        uscita << formato("  %5d %8d m  %-18s", c.indice, c.metri, c.tipo.c_str());
        for (const Campo& campo : c.campi) uscita << " " << campo.nome << "=" << valore_campo(campo);
        uscita << "\n";
    }

    uscita << "\nProfile\n";
    scrivi_tratti(uscita, "gradient (per mille)", r.profilo.pendenza);
    scrivi_tratti(uscita, "speed limit (km/h)", r.profilo.velocita);
    scrivi_tratti(uscita, "adhesion", r.profilo.aderenza);
    scrivi_tratti(uscita, "mountain kind (0 = open line)", r.profilo.montagne);
    return uscita.str();
}

}  // namespace compattatore
