#include "draw/svg.h"

#include <cmath>
#include <cstdio>

namespace compattatore::svg {

std::string n(double valore) {
    // As many digits as the value needs: a huge coordinate is never cut short.
    std::string t(static_cast<size_t>(std::snprintf(nullptr, 0, "%.2f", valore)) + 1, '\0');
    std::snprintf(t.data(), t.size(), "%.2f", valore);
    t.pop_back();
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t == "-0" ? "0" : t;
}

std::string esatto(double valore) {
    char cifre[32];
    std::snprintf(cifre, sizeof cifre, "%.17g", valore);
    return cifre;
}

std::string testo(std::string_view utf8) {
    std::string uscita;
    for (char c : utf8) {
        switch (c) {
            case '&': uscita += "&amp;"; break;
            case '<': uscita += "&lt;"; break;
            case '>': uscita += "&gt;"; break;
            case '"': uscita += "&quot;"; break;
            case '\'': uscita += "&apos;"; break;
            default:
                // XML 1.0 allows no control characters but tab, CR and LF.
                uscita += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r' ? ' ' : c;
        }
    }
    return uscita;
}

std::string linea(double x1, double y1, double x2, double y2, std::string_view stile) {
    return "<line x1=\"" + n(x1) + "\" y1=\"" + n(y1) + "\" x2=\"" + n(x2) + "\" y2=\"" + n(y2) + "\" " +
           std::string(stile) + "/>\n";
}

std::string rettangolo(double x, double y, double w, double h, std::string_view stile) {
    return "<rect x=\"" + n(x) + "\" y=\"" + n(y) + "\" width=\"" + n(w) + "\" height=\"" + n(h) + "\" " +
           std::string(stile) + "/>\n";
}

std::string cerchio(double x, double y, double r, std::string_view stile) {
    return "<circle cx=\"" + n(x) + "\" cy=\"" + n(y) + "\" r=\"" + n(r) + "\" " + std::string(stile) + "/>\n";
}

std::string scritta(double x, double y, std::string_view utf8, std::string_view stile, std::string_view ancora,
                    std::string_view extra) {
    return "<text x=\"" + n(x) + "\" y=\"" + n(y) + "\" text-anchor=\"" + std::string(ancora) + "\" " +
           std::string(stile) + (extra.empty() ? "" : " ") + std::string(extra) + ">" + testo(utf8) + "</text>\n";
}

std::string polilinea(const std::vector<std::pair<double, double>>& punti, std::string_view stile) {
    std::string p;
    for (const auto& [x, y] : punti) p += n(x) + "," + n(y) + " ";
    if (!p.empty()) p.pop_back();
    return "<polyline points=\"" + p + "\" fill=\"none\" " + std::string(stile) + "/>\n";
}

std::string documento(double larghezza, double altezza, std::string_view titolo, std::string_view stile,
                      std::string_view corpo) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           n(larghezza) + "\" height=\"" + n(altezza) + "\" viewBox=\"0 0 " + n(larghezza) + " " + n(altezza) +
           "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n<title>" + testo(titolo) + "</title>\n<style>\n" +
           std::string(stile) + "</style>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n" +
           std::string(corpo) + "</svg>\n";
}

}  // namespace compattatore::svg
