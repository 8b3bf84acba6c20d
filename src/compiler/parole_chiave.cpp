#include "compiler/parole_chiave.h"

#include "compiler/lettura.h"

namespace compattatore {

bool riconosce(std::string_view voce, const ParolaChiave& parola) {
    for (std::string_view parte : parola.parti) {
        if (parte.empty()) continue;
        if (!(parola.maiuscole_distinte ? contiene_esatto(voce, parte) : contiene(voce, parte))) return false;
    }
    return true;
}

}  // namespace compattatore
