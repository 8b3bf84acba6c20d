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
std::string polilinea(const std::vector<std::pair<double, double>>& punti, std::string_view stile);

}  // namespace compattatore::svg
