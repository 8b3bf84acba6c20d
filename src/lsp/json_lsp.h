// The messages' JSON, read and written with Debian's nlohmann-json: the
// program's own JSON layer only writes.
#pragma once

#include <nlohmann/json.hpp>

namespace compattatore {

using Json = nlohmann::json;

}  // namespace compattatore
