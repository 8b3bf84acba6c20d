#include "compiler/campi_riservati.h"

#include "compiler/codici_gara.h"

namespace compattatore {

int32_t controlla_e_timbra(Modello& m) {
    Oggetto& linea = m.oggetti[OGGETTO_LINEA];
    Cella& prima = m.celle.at(1);

    if (linea.valori[0] != 0 || prima.dato1 != 0) return ERRORE_CAMPO_RISERVATO_UNO;
    linea.valori[0] = TIMBRO_VALORI_LINEA;
    prima.dato1 = TIMBRO_CELLA_UNO;

    if (linea.orario != 0 || prima.dato2 != 0) return ERRORE_CAMPO_RISERVATO_DUE;
    // An object whose own fields there happen to be zero passes both checks,
    // and the stamps would overwrite its fields.
    if (!cella_libera(prima)) return ERRORE_CAMPO_RISERVATO_UNO;
    linea.orario = codice_gara_st(m.oggetti);
    prima.dato2 = codice_gara_og(m.oggetti);
    return 0;
}

}  // namespace compattatore
