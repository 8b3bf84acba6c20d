// The smaller of two values; on a tie the first. The finishing pass lowers an
// existing abbattimento value with it.
#pragma once

#include <cstdint>

namespace compattatore {

inline int16_t minimo(const int16_t& x, const int16_t& y) { return x > y ? y : x; }

}  // namespace compattatore
