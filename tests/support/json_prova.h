// A small JSON reader for tests that parse a program's JSON back.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace compattatore::prova {

struct ValoreJson {
    std::variant<std::nullptr_t, bool, double, std::string, std::vector<ValoreJson>, std::map<std::string, ValoreJson>>
        v;

    bool nullo() const { return std::holds_alternative<std::nullptr_t>(v); }
    double numero() const { return std::get<double>(v); }
    const std::string& testo() const { return std::get<std::string>(v); }
    bool vero() const { return std::get<bool>(v); }
    const std::vector<ValoreJson>& lista() const { return std::get<std::vector<ValoreJson>>(v); }
    const ValoreJson& operator[](const std::string& chiave) const {
        return std::get<std::map<std::string, ValoreJson>>(v).at(chiave);
    }
};

// The document `testo`; throws std::runtime_error where it is not JSON.
ValoreJson leggi_json(std::string_view testo);

}  // namespace compattatore::prova
