// The train graph of a line as one SVG document: distance down the side,
// time across, one line per train and a ring where two cross between
// stations.
#pragma once

#include <string>
#include <vector>

#include "scenario/grafico_orario.h"

namespace compattatore {

// `linea` is the line key as the files hold it (Windows-1252).
std::string disegna_grafico_orario(const std::string& linea, const std::vector<Corsa>& corse);

}  // namespace compattatore
