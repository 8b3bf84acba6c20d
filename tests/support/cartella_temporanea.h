// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace compattatore::prova {

class CartellaTemporanea {
public:
    CartellaTemporanea();
    ~CartellaTemporanea();
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }
    std::string str() const { return percorso_.string(); }
    std::string file(const std::string& nome) const { return (percorso_ / nome).string(); }
    bool esiste(const std::string& nome) const { return std::filesystem::exists(percorso_ / nome); }
    std::string leggi(const std::string& nome) const;
    // Writes the file and gives its path.
    std::string scrivi(const std::string& nome, const std::string& contenuto) const;

private:
    std::filesystem::path percorso_;
};

// Whole content of a file; fails the current test when it cannot be read.
std::string leggi_tutto(const std::filesystem::path& percorso);
void scrivi_tutto(const std::filesystem::path& percorso, const std::string& contenuto);
// Every file of a directory by name with its bytes: what a run left there.
std::map<std::string, std::string> istantanea(const std::filesystem::path& directory);

}  // namespace compattatore::prova
