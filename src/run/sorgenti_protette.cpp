#include "run/sorgenti_protette.h"

#include <stdexcept>

#include "platform/file.h"

namespace compattatore {

void rifiuta_uscite_sulle_sorgenti(const std::vector<std::string>& uscite, const std::vector<std::string>& sorgenti) {
    for (const std::string& uscita : uscite)
        for (const std::string& sorgente : sorgenti)
            if (piattaforma::stesso_file(uscita, sorgente))
                throw std::invalid_argument("the compiled file " + uscita + " would replace the source " + sorgente +
                                            ": write elsewhere (-o) or under other keys");
}

}  // namespace compattatore
