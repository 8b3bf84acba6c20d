// The texts the editor holds open, by path: what the author sees, saved or
// not, is what is compiled; a file not open is read from the disk.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace compattatore {

class DocumentiAperti {
public:
    void apri(const std::string& percorso, std::string testo) { testi_[percorso] = std::move(testo); }
    // False for a file not open (a change after its close, or before its open).
    bool cambia(const std::string& percorso, std::string testo);
    // False when it was not open.
    bool chiudi(const std::string& percorso) { return testi_.erase(percorso) != 0; }
    // The UTF-8 text of an open file; null for one not open.
    const std::string* testo(const std::string& percorso) const;
    bool aperto(const std::string& percorso) const { return testi_.contains(percorso); }
    const std::map<std::string, std::string>& tutti() const { return testi_; }

private:
    std::map<std::string, std::string> testi_;
};

// The bytes of `percorso` as the editor holds them or, when not open, as the
// disk holds them (at most 64 MiB and a byte); none when neither has it.
std::optional<std::string> byte_di(const DocumentiAperti& aperti, const std::string& percorso);

}  // namespace compattatore
