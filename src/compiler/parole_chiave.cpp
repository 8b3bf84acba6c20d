#include "compiler/parole_chiave.h"

#include <algorithm>

#include "compiler/lettura.h"

namespace compattatore {

bool riconosce(std::string_view voce, const ParolaChiave& parola) {
    return std::ranges::all_of(parola.parti, [&](std::string_view parte) {
        return parte.empty() || (parola.maiuscole_distinte ? contiene_esatto(voce, parte) : contiene(voce, parte));
    });
}

}  // namespace compattatore
