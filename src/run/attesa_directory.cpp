#include "run/attesa_directory.h"

#include <iostream>

namespace compattatore {

void attesa_directory(const std::string& directory) {
    std::cerr << "compattatore: another run is writing into " << (directory.empty() ? "." : directory)
              << "; waiting for it to finish" << std::endl;
}

}  // namespace compattatore
