// The inspect report as one JSON document; its schema is in docs/json.md.
#include "inspect/forme_rapporto.h"
#include "json/scrittore_json.h"

namespace compattatore {

namespace {

void membro(ScrittoreJson& j, std::string_view nome, int64_t valore) {
    j.chiave(nome);
    j.valore(valore);
}
void membro(ScrittoreJson& j, std::string_view nome, std::string_view valore) {
    j.chiave(nome);
    j.valore(valore);
}

void chiavi(ScrittoreJson& j, const ChiaviScenario& c) {
    j.inizio_oggetto();
    membro(j, "line", c.linea);
    membro(j, "train", c.treno);
    j.fine_oggetto();
}

void codice(ScrittoreJson& j, std::string_view nome, const CodiceIdentita& c) {
    j.chiave(nome);
    j.inizio_oggetto();
    membro(j, "stored", c.registrato);
    membro(j, "expected", c.atteso);
    j.chiave("match");
    j.valore(c.corrisponde());
    j.fine_oggetto();
}

void intestazione(ScrittoreJson& j, const Intestazione& i) {
    j.inizio_oggetto();
    j.chiave("keys");
    chiavi(j, i.chiavi);
    j.chiave("keys_in_files");
    chiavi(j, i.chiavi_nei_file);
    membro(j, "line_length_m", i.lunghezza);
    membro(j, "coaches", i.vetture);
    membro(j, "braked_mass_percent", i.massa_frenata);
    membro(j, "sand", i.sabbia);
    membro(j, "start_clock", ora_del_giorno(i.orologio));
    j.chiave("signal_repetition");
    j.inizio_oggetto();
    membro(j, "start_m", i.ripetizione_inizio);
    membro(j, "end_m", i.ripetizione_fine);
    membro(j, "codes", i.codici_ripetizione);
    j.fine_oggetto();
    j.chiave("backgrounds");
    j.inizio_lista();
    for (int32_t s : i.sfondi) j.valore(int64_t{s});
    j.fine_lista();
    j.chiave("progressives");
    j.inizio_lista();
    for (const Progressiva& p : i.progressive) {
        j.inizio_oggetto();
        membro(j, "rank", p.rango);
        membro(j, "record", p.record);
        membro(j, "inizio", p.inizio);
        membro(j, "fine", p.fine);
        membro(j, "posizione", p.posizione);
        j.fine_oggetto();
    }
    j.fine_lista();
    codice(j, "codice_gara_st", i.codice_gara_st);
    codice(j, "codice_gara_og", i.codice_gara_og);
    j.chiave("plan_file");
    j.valore(i.con_tracciato);
    j.fine_oggetto();
}

}  // namespace

void membri_stazione_json(ScrittoreJson& j, const Stazione& s) {
    const Oggetto& o = s.record;
    membro(j, "number", s.numero);
    membro(j, "name", s.nome);
    membro(j, "kind", o.tipo);
    membro(j, "position_m", o.posizione);
    membro(j, "stop_zone_start_m", o.inizio);
    membro(j, "stop_zone_end_m", o.fine);
    membro(j, "time", ora_del_giorno(o.orario));
    membro(j, "time_s", o.orario);
    membro(j, "attribute", o.attributo);
    j.chiave("values");
    j.inizio_lista();
    for (int16_t v : o.valori) j.valore(int64_t{v});
    j.fine_lista();
    j.chiave("flags");
    j.inizio_lista();
    for (uint8_t f : o.flag) j.valore(int64_t{f});
    j.fine_lista();
}

void membri_cartello_json(ScrittoreJson& j, const Cartello& c) {
    membro(j, "record", c.record);
    j.chiave("cell");
    if (c.cella) {
        j.valore(int64_t{*c.cella});
    } else {
        j.nullo();
    }
    membro(j, "text", c.testo);
}

void membri_cella_json(ScrittoreJson& j, const CellaDescritta& c) {
    membro(j, "index", c.indice);
    membro(j, "position_m", c.metri);
    membro(j, "kind", c.tipo);
    j.chiave("fields");
    j.inizio_oggetto();
    for (const Campo& campo : c.campi) {
        j.chiave(campo.nome);
        std::visit([&j](const auto& v) { j.valore(v); }, campo.valore);
    }
    j.fine_oggetto();
}

namespace {

void tratti(ScrittoreJson& j, std::string_view nome, const std::vector<Tratto>& lista) {
    j.chiave(nome);
    j.inizio_lista();
    for (const Tratto& t : lista) {
        j.inizio_oggetto();
        membro(j, "from_m", t.da);
        membro(j, "to_m", t.a);
        j.chiave("value");  // null where no profile record reached
        if (t.senza_profilo) {
            j.nullo();
        } else {
            j.valore(t.valore);
        }
        j.fine_oggetto();
    }
    j.fine_lista();
}

}  // namespace

std::string rapporto_json(const Rapporto& r) {
    ScrittoreJson j;
    j.inizio_oggetto();
    j.chiave("header");
    intestazione(j, r.intestazione);
    j.chiave("stations");
    j.inizio_lista();
    for (const Stazione& s : r.stazioni) {
        j.inizio_oggetto();
        membri_stazione_json(j, s);
        j.fine_oggetto();
    }
    j.fine_lista();
    j.chiave("text_signs");
    j.inizio_lista();
    for (const Cartello& c : r.cartelli) {
        j.inizio_oggetto();
        membri_cartello_json(j, c);
        j.fine_oggetto();
    }
    j.fine_lista();
    j.chiave("range");
    j.inizio_oggetto();
    membro(j, "from_m", r.da);
    membro(j, "to_m", r.a);
    j.fine_oggetto();
    j.chiave("cells");
    j.inizio_lista();
    for (const CellaDescritta& c : r.celle) {
        j.inizio_oggetto();
        membri_cella_json(j, c);
        j.fine_oggetto();
    }
    j.fine_lista();
    j.chiave("profile");
    j.inizio_oggetto();
    tratti(j, "gradient_per_mille", r.profilo.pendenza);
    tratti(j, "speed_limit_kmh", r.profilo.velocita);
    tratti(j, "adhesion", r.profilo.aderenza);
    tratti(j, "mountain_kind", r.profilo.montagne);
    j.fine_oggetto();
    j.fine_oggetto();
    return j.testo() + "\n";
}

}  // namespace compattatore
