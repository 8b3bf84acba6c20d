// A usage error: the command line asks for what cannot be done. The option
// reader and every command's checks throw it; the dispatch of the command
// line reports it, once for all commands.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace compattatore {

class ErroreUso : public std::runtime_error {
public:
    // `rimanda_all_aiuto`: whether the command's help can put it right. What
    // is wrong with the files a command finds (two scenarios in a directory,
    // an output that is one of its inputs) is not in the help.
    explicit ErroreUso(const std::string& motivo, bool rimanda_all_aiuto = true)
        : std::runtime_error(motivo), rimanda_all_aiuto_(rimanda_all_aiuto) {}

    [[nodiscard]] bool rimanda_all_aiuto() const noexcept { return rimanda_all_aiuto_; }

private:
    bool rimanda_all_aiuto_;
};

// The usage error on standard error, "compattatore COMMAND: WHAT" and, when
// the help can put it right, a hint to the command's help; the status for it.
// `comando` is empty for the run.
int errore_di_uso(std::string_view comando, const ErroreUso& errore);

}  // namespace compattatore
