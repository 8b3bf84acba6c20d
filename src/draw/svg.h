// Small pieces of SVG text: numbers, escaped text and the common elements.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace compattatore::svg {

// A coordinate with two decimals at most, trailing zeros dropped.
std::string n(double valore);
// A plan coordinate written so that it reads back as the very same double.
std::string esatto(double valore);
// UTF-8 text made safe for content and attribute values.
std::string testo(std::string_view utf8);

std::string linea(double x1, double y1, double x2, double y2, std::string_view stile);
std::string rettangolo(double x, double y, double w, double h, std::string_view stile);
std::string cerchio(double x, double y, double r, std::string_view stile);
// `ancora` is start, middle or end; `extra` more attributes, such as a rotation.
std::string scritta(double x, double y, std::string_view utf8, std::string_view stile,
                    std::string_view ancora = "start", std::string_view extra = "");
// A whole SVG document on a white ground: `titolo` as UTF-8 text, `stile`
// the rules of its style sheet, `corpo` its drawing.
std::string documento(double larghezza, double altezza, std::string_view titolo, std::string_view stile,
                      std::string_view corpo);
std::string polilinea(const std::vector<std::pair<double, double>>& punti, std::string_view stile);

}  // namespace compattatore::svg
