// Writes the benchmark's generated 1000000 m scenario as the two description
// files `compile` takes, so that the compile can be timed as a whole program.
#include <exception>
#include <iostream>
#include <string>

#include "linea_generata.h"
#include "model/nomi_file.h"
#include "platform/file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: compattatore_linea_generata DIR\n"
                     "writes DIR/"
                  << compattatore::nome_descrizione_linea(compattatore::banco::CHIAVE_LINEA) << " and DIR/"
                  << compattatore::nome_descrizione_treno(compattatore::banco::CHIAVE_LINEA,
                                                          compattatore::banco::CHIAVE_TRENO)
                  << "\n";
        return 2;
    }
    using namespace compattatore;
    const std::string dir = argv[1];
    try {
        piattaforma::sostituisci(piattaforma::unisci(dir, nome_descrizione_linea(banco::CHIAVE_LINEA)),
                                 banco::linea_generata(banco::LUNGHEZZA_MASSIMA));
        piattaforma::sostituisci(
            piattaforma::unisci(dir, nome_descrizione_treno(banco::CHIAVE_LINEA, banco::CHIAVE_TRENO)),
            banco::treno_generato(banco::LUNGHEZZA_MASSIMA));
    } catch (const std::exception& e) {
        std::cerr << "compattatore_linea_generata: " << e.what() << "\n";
        return 3;
    }
    return 0;
}
