// A compiled route whose cell 1 has its dato1 set (what a speed board at 0 m
// leaves) goes through the run's reserved-field check, writing decision and
// report, shown with the interface the program itself would choose.
// Usage: errore_in_finestra DIR   (DIR receives the binary files, should
// they wrongly be written)
#include "cli/scenario.h"
#include "cli/segnalazione.h"
#include "cli/stato_uscita.h"
#include "compiler/memorizza_percorso.h"
#include "platform/interfaccia.h"

namespace compattatore {
namespace {

Modello modello_con_cella_uno_occupata() {
    Modello m;
    m.stato.chiave_linea = CHIAVE_LINEA;
    m.stato.chiave_treno = CHIAVE_TRENO;
    m.oggetti[OGGETTO_LINEA].nome = CHIAVE_LINEA;
    m.oggetti[OGGETTO_TRENO].nome = CHIAVE_TRENO;
    m.celle.resize(100);
    m.celle[1].dato1 = 2100;
    return m;
}

}  // namespace
}  // namespace compattatore

int main(int argc, char** argv) {
    using namespace compattatore;
    if (argc != 2) return USCITA_USO;
    auto interfaccia = piattaforma::crea_interfaccia(true);
    interfaccia->mostra_attesa();
    Compilazione c;
    c.modello = modello_con_cella_uno_occupata();
    completa_compilazione(c, {});
    if (da_scrivere(c, OpzioniScrittura{.directory = argv[1]})) scrivi_file_binari(c.modello, argv[1]);
    return segnala_esito(*interfaccia, c.diagnostiche);
}
