#include "cli/attesa_directory.h"

#include "platform/flussi_standard.h"

namespace compattatore {

void attesa_directory(const std::string& directory) {
    piattaforma::scrivi_su_errore("compattatore: another run is writing into " +
                                  (directory.empty() ? std::string(".") : directory) + "; waiting for it to finish\n");
}

}  // namespace compattatore
