// Windows paths in "file:" URIs, as editors on Windows send them.
#include <gtest/gtest.h>

#include "lsp/uri.h"

namespace compattatore {
namespace {

TEST(UriWin32, DrivePathsBecomeUrisAndBack) {
    struct Caso {
        const char* percorso;
        const char* uri;
    };
    for (const Caso& c : {
             Caso{R"(C:\scenari\L_linea.txt)", "file:///C%3A/scenari/L_linea.txt"},
             Caso{R"(D:\città\Corvale Mendra\L_T-.txt)", "file:///D%3A/citt%C3%A0/Corvale%20Mendra/L_T-.txt"},
         }) {
        EXPECT_EQ(uri_da_percorso(c.percorso), c.uri);
        EXPECT_EQ(percorso_da_uri(c.uri), c.percorso);
    }
    // VS Code writes the drive in lower case, its colon escaped or not.
    EXPECT_EQ(percorso_da_uri("file:///c%3A/scenari/L_linea.txt"), R"(c:\scenari\L_linea.txt)");
    EXPECT_EQ(percorso_da_uri("file:///c:/scenari/L_linea.txt"), R"(c:\scenari\L_linea.txt)");
}

}  // namespace
}  // namespace compattatore
