// The one scenario this build carries.
#pragma once

namespace compattatore {

inline constexpr const char* CHIAVE_LINEA = "Corvale_Mendra";
inline constexpr const char* CHIAVE_TRENO = "4821-3";

}  // namespace compattatore
