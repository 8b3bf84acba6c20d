// Packed fields taken apart: v = d * a + b with b in 0 to d - 1.
#pragma once

#include <cstdint>
#include <utility>

namespace compattatore {

inline std::pair<int32_t, int32_t> dividi(int32_t v, int32_t d) {
    int32_t a = v >= 0 ? v / d : -((-v + d - 1) / d);
    return {a, v - d * a};
}

}  // namespace compattatore
