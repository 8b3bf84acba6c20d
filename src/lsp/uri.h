// Files named as the editor names them: "file:" URIs, with the bytes that
// are not letters, digits or "/-._~" written as %XX.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace compattatore {

std::string uri_da_percorso(std::string_view percorso);
// The path of a "file:" URI; none for another scheme, a bad escape or a NUL.
std::optional<std::string> percorso_da_uri(std::string_view uri);

}  // namespace compattatore
