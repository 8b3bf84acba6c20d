// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace compattatore::prova {

class CartellaTemporanea {
public:
    CartellaTemporanea() {
        std::random_device casuale;
        percorso_ = std::filesystem::temp_directory_path() / ("compattatore-" + std::to_string(casuale()));
        std::filesystem::create_directories(percorso_);
    }
    ~CartellaTemporanea() {
        std::error_code ignorato;
        std::filesystem::remove_all(percorso_, ignorato);
    }
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

    std::string str() const { return percorso_.string(); }
    std::string file(const std::string& nome) const { return (percorso_ / nome).string(); }
    bool esiste(const std::string& nome) const { return std::filesystem::exists(percorso_ / nome); }

    std::string leggi(const std::string& nome) const {
        std::ifstream in(percorso_ / nome, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void scrivi(const std::string& nome, const std::string& contenuto) const {
        std::ofstream(percorso_ / nome, std::ios::binary) << contenuto;
    }

private:
    std::filesystem::path percorso_;
};

}  // namespace compattatore::prova
