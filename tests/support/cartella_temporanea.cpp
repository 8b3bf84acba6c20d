#include "support/cartella_temporanea.h"

#include <gtest/gtest.h>

#include <charconv>
#include <fstream>
#include <random>
#include <sstream>

namespace compattatore::prova {

// A random name, made only if nothing has it yet (create_directory tells),
// as mkdtemp does where there is one.
CartellaTemporanea::CartellaTemporanea() {
    thread_local std::mt19937_64 casuale{std::random_device{}()};
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        char nome[32] = "compattatore-";
        const auto fine = std::to_chars(nome + 13, nome + sizeof(nome) - 1, casuale(), 16).ptr;
        percorso_ = std::filesystem::temp_directory_path() / std::string_view(nome, fine);
        if (std::filesystem::create_directory(percorso_)) return;
    }
    throw std::runtime_error("cannot make a temporary folder");
}

CartellaTemporanea::~CartellaTemporanea() {
    std::error_code ignorato;
    std::filesystem::remove_all(percorso_, ignorato);
}

std::string CartellaTemporanea::leggi(const std::string& nome) const { return leggi_tutto(percorso_ / nome); }

std::string CartellaTemporanea::scrivi(const std::string& nome, const std::string& contenuto) const {
    scrivi_tutto(percorso_ / nome, contenuto);
    return file(nome);
}

std::string leggi_tutto(const std::filesystem::path& percorso) {
    std::ifstream in(percorso, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << percorso;
    std::ostringstream contenuto;
    contenuto << in.rdbuf();
    return contenuto.str();
}

void scrivi_tutto(const std::filesystem::path& percorso, const std::string& contenuto) {
    std::ofstream out(percorso, std::ios::binary | std::ios::trunc);
    out << contenuto;
    ASSERT_TRUE(out.good()) << "cannot write " << percorso;
}

std::map<std::string, std::string> istantanea(const std::filesystem::path& directory) {
    std::map<std::string, std::string> file;
    for (const auto& voce : std::filesystem::directory_iterator(directory))
        file[voce.path().filename().string()] = leggi_tutto(voce.path());
    return file;
}

}  // namespace compattatore::prova
