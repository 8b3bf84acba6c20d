#include "support/dati.h"

#include "platform/file.h"

namespace compattatore::test {

std::string leggi_dato(const std::string& directory, const std::string& nome) {
    return piattaforma::leggi(piattaforma::unisci(directory, nome));
}

}  // namespace compattatore::test
