// Exit statuses of every command of the program.
#pragma once

namespace compattatore {

enum StatoUscita : int {
    USCITA_RIUSCITA = 0,  // done (warnings allowed)
    USCITA_SCENARIO = 1,  // the scenario or a compiled file has an error
    USCITA_USO = 2,       // the command line is wrong
    USCITA_FILE = 3,      // a file could not be read or written
};

}  // namespace compattatore
