// A count with its noun, singular for one: "1 train", "2 trains".
#pragma once

#include <cstddef>
#include <string>

namespace compattatore {

inline std::string plurale(size_t n, const char* parola) {
    return std::to_string(n) + " " + parola + (n == 1 ? "" : "s");
}

}  // namespace compattatore
