#include <string_view>
#include <vector>

#include "cli/riga_comando.h"

int main(int argc, char** argv) {
    std::vector<std::string_view> argomenti(argv + 1, argv + argc);
    return compattatore::esegui_riga_comando(argomenti);
}
