// Whether several trains' compiled files hold one line: a line description
// is written once for all of them, so the parts of their files that the
// line description makes must agree.
#pragma once

#include <optional>
#include <vector>

#include "decompile/decompila.h"

namespace compattatore {

// The first place where a train's files hold another line than the first
// train's: the header (length, progressives, backgrounds, signal
// repetition), then cell by cell the gradient, the mountain kind and the
// line's own objects (speed boards, tunnel marks, text signs). A train's
// own objects, speed limits and adhesion may differ; a line object that a
// train's object covers is not compared. The place names the later train's
// file; its reason, the first train's file.
std::optional<Scostamento> prima_linea_diversa(const std::vector<TrenoCompilato>& treni);

}  // namespace compattatore
