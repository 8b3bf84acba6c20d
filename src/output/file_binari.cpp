#include "output/file_binari.h"

#include <type_traits>

#include "output/scrittore_le.h"

namespace compattatore {

namespace {

enum EtichettaValore : uint16_t { ETICHETTA_VUOTA = 0, ETICHETTA_INTERO16 = 2, ETICHETTA_DOPPIO = 5 };

void scrivi_valore(ScrittoreLE& w, const ValoreEtichettato& v) {
    std::visit(
        [&w](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                w.u16(ETICHETTA_VUOTA);
            } else if constexpr (std::is_same_v<T, int16_t>) {
                w.u16(ETICHETTA_INTERO16);
                w.i16(x);
            } else {
                w.u16(ETICHETTA_DOPPIO);
                w.f64(x);
            }
        },
        v);
}

}  // namespace

std::string codifica_tracciato(const std::vector<RigaTracciato>& tracciato) {
    std::string out;
    out.reserve(20 * tracciato.size());
    ScrittoreLE w(out);
    for (const RigaTracciato& r : tracciato) scrivi_valore(w, r.x);
    for (const RigaTracciato& r : tracciato) scrivi_valore(w, r.y);
    return out;
}

std::string codifica_oggetti(const TabellaOggetti& oggetti) {
    std::string out;
    ScrittoreLE w(out);
    for (const Oggetto& o : oggetti) {
        w.u8(o.tipo);
        w.i32(o.inizio);
        w.i32(o.fine);
        w.i32(o.posizione);
        w.u8(o.attributo);
        w.testo(o.nome);
        for (int16_t v : o.valori) w.i16(v);
        for (uint8_t f : o.flag) w.u8(f);
        w.i32(o.orario);
    }
    return out;
}

std::string codifica_celle(const std::vector<Cella>& celle) {
    std::string out;
    out.reserve(15 * celle.size());
    ScrittoreLE w(out);
    for (const Cella& c : celle) {
        w.u8(c.tipo);
        w.i16(c.dato1);
        w.i16(c.dato2);
        w.i16(c.dato3);
        w.i16(c.dato4);
        w.u8(c.tempo);
        w.u8(c.codice);
        w.u8(c.montagna);
        w.u8(c.vel_limite);
        w.u8(c.pendenza);
        w.u8(c.aderenza);
    }
    return out;
}

}  // namespace compattatore
