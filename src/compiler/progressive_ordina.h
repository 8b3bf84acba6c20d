// Puts the three kilometric progressives of records 81 to 83 into their fixed
// order and lengthens those whose third value is 1.
#pragma once

#include "model/modello.h"

namespace compattatore {

// Records 81, 82 and 83 hold the "tre", "due" and "uno" progressives on entry.
// A second call adds 100 again. Throws ErroreLettura when a sum overflows.
void progressive_ordina(TabellaOggetti& oggetti);

}  // namespace compattatore
