// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace compattatore::prova {

class CartellaProva {
public:
    CartellaProva() {
        std::random_device caso;
        percorso_ = std::filesystem::temp_directory_path() / ("compattatore-" + std::to_string(caso()) + std::to_string(caso()));
        std::filesystem::create_directories(percorso_);
    }
    ~CartellaProva() {
        std::error_code ignorato;
        std::filesystem::remove_all(percorso_, ignorato);
    }
    CartellaProva(const CartellaProva&) = delete;
    CartellaProva& operator=(const CartellaProva&) = delete;

    std::string dir() const { return percorso_.string(); }
    std::string file(const std::string& nome) const { return (percorso_ / nome).string(); }
    std::string scrivi(const std::string& nome, std::string_view contenuto) const {
        std::ofstream f(percorso_ / nome, std::ios::binary);
        f.write(contenuto.data(), static_cast<std::streamsize>(contenuto.size()));
        return file(nome);
    }
    bool esiste(const std::string& nome) const { return std::filesystem::exists(percorso_ / nome); }

private:
    std::filesystem::path percorso_;
};

}  // namespace compattatore::prova
