// A small JSON writer: values, objects and lists in the order they are
// given, commas placed for the caller, text escaped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore {

class ScrittoreJson {
public:
    void inizio_oggetto();
    void fine_oggetto();
    void inizio_lista();
    void fine_lista();
    // The key of the next member of the open object.
    void chiave(std::string_view nome);

    void valore(std::string_view testo_utf8);
    void valore(const char* testo_utf8) { valore(std::string_view(testo_utf8)); }
    void valore(int64_t numero);
    void valore(bool vero);
    // The shortest text that reads back as the same number; null when it is
    // not finite, which JSON cannot hold.
    void valore(double numero);
    void nullo();
    // A value another ScrittoreJson wrote, taken as it is.
    void gia_scritto(std::string_view json);

    // The document, once every object and list is closed.
    const std::string& testo() const { return testo_; }

private:
    void prima_di_un_valore();

    std::string testo_;
    std::vector<bool> primo_;  // per open object or list: nothing written in it yet
    bool dopo_chiave_ = false;
};

// `testo` as a JSON string literal, quotes included.
std::string stringa_json(std::string_view testo_utf8);

}  // namespace compattatore
