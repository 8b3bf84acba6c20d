// `compile` never writes over its own sources.
#pragma once

#include <string>
#include <vector>

namespace compattatore {

// Throws ErroreUso when one of `uscite` is the
// same file as one of `sorgenti` by any path: same device and inode.
void rifiuta_uscite_sulle_sorgenti(const std::vector<std::string>& uscite, const std::vector<std::string>& sorgenti);

}  // namespace compattatore
