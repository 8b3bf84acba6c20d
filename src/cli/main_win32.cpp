// The Windows entry point: the command line comes as UTF-16 and is given on
// in UTF-8, the form every path and text of the program takes.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/riga_comando.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> testi;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view largo = argv[i];
        const int n =
            WideCharToMultiByte(CP_UTF8, 0, largo.data(), static_cast<int>(largo.size()), nullptr, 0, nullptr, nullptr);
        std::string& testo = testi.emplace_back(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, largo.data(), static_cast<int>(largo.size()), testo.data(), n, nullptr,
                            nullptr);
    }
    const std::vector<std::string_view> argomenti(testi.begin(), testi.end());
    return compattatore::esegui_riga_comando(argomenti);
}
