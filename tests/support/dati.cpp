#include "support/dati.h"

#include <gtest/gtest.h>

#include "support/cartella_temporanea.h"

namespace compattatore::prova {

std::string dato_normale(const std::string& nome) {
    return leggi_tutto(std::filesystem::path(DIRECTORY_CORSA_NORMALE) / nome);
}

const CorsaNormale& corsa_normale_eseguita() {
    static const CartellaTemporanea cartella;
    static const CorsaNormale corsa{cartella.str(), esegui_programma({"--dir", cartella.str(), "--no-window"})};
    return corsa;
}

}  // namespace compattatore::prova
