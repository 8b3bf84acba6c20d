// Another program, started with a pipe to its standard input and one from
// its standard output; its standard error is the program's own.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace compattatore::piattaforma {

class ProcessoCollegato {
public:
    // Throws ErroreFile ("cannot start") when the program cannot be started.
    explicit ProcessoCollegato(const std::string& programma);
    ~ProcessoCollegato();  // termina(), unless done already
    ProcessoCollegato(const ProcessoCollegato&) = delete;
    ProcessoCollegato& operator=(const ProcessoCollegato&) = delete;

    // All of `testo` on its input; false once it takes no more (it has
    // ended). A program that ended never stops this one with SIGPIPE.
    bool scrivi(std::string_view testo) const;

    // Its next line, without the newline; nullopt at the end of its output,
    // or when no line came within `limite` (none: no limit).
    std::optional<std::string> leggi_riga(std::optional<std::chrono::milliseconds> limite = std::nullopt);

    struct Fine {
        int stato = 0;        // as waitpid gives it
        bool ucciso = false;  // ended here with SIGKILL, having outstayed `limite`
    };
    // Closes its input, which tells it to end, gives it `limite` to do so and
    // otherwise ends it; then collects its status. Once only.
    Fine termina(std::chrono::milliseconds limite);

private:
    pid_t pid_ = -1;
    int verso_ = -1;  // its standard input
    int da_ = -1;     // its standard output
    std::string letto_;
    std::optional<Fine> fine_;
};

}  // namespace compattatore::piattaforma
