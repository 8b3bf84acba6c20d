// The paths the editor's URIs name, and the URIs that name no file here.
#include "lsp/uri.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

TEST(Uri, APathComesBackFromItsUriAndABadUriNamesNone) {
    struct Caso {
        const char* uri;
        std::optional<std::string> percorso;
    };
    const Caso casi[] = {
        {"file:///tmp/a%20b.txt", "/tmp/a b.txt"},
        {"file://localhost/tmp/x", "/tmp/x"},
        {"file:///tmp/caf%E9", "/tmp/caf\xE9"},
        {"file://altro/tmp/x", std::nullopt},
        {"http:///tmp/x", std::nullopt},
        {"file:///tmp/%4", std::nullopt},
        {"file:///tmp/%zz", std::nullopt},
        // A NUL would end the path where the system reads it: another file
        // than the one the editor names.
        {"file:///tmp/a.txt%00b", std::nullopt},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.uri);
        EXPECT_EQ(percorso_da_uri(c.uri), c.percorso);
    }
    const std::string percorso = "/tmp/L_caf\xE9 1-.txt";
    EXPECT_EQ(percorso_da_uri(uri_da_percorso(percorso)), percorso);
}

}  // namespace
}  // namespace compattatore
