#include <cstring>
#include <utility>

#include "platform/file.h"

namespace compattatore::piattaforma {

ErroreFile::ErroreFile(const std::string& operazione, std::string file, int numero)
    : std::runtime_error(operazione + " " + file + ": " + std::strerror(numero)),
      file_(std::move(file)),
      numero_(numero) {}

ErroreFile::ErroreFile(const std::string& operazione, std::string file, const std::string& motivo)
    : std::runtime_error(operazione + " " + file + ": " + motivo),
      file_(std::move(file)),
      numero_(0),
      motivo_(motivo) {}

std::string ErroreFile::descrizione() const { return numero_ != 0 ? std::strerror(numero_) : motivo_; }

}  // namespace compattatore::piattaforma
