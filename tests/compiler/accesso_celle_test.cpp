// A profile carried into the cells: the cells reached, where the index ends,
// what the recovery's register holds, and the refusal past the last cell.
#include "compiler/accesso_celle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/errore_lettura.h"

namespace compattatore {
namespace {

// A line of `celle` cells, each with its own gradient, so that the
// register's old values tell one cell from another.
Modello linea_di(size_t celle, bool registro) {
    Modello m;
    m.celle.resize(celle);
    for (size_t i = 0; i < celle; ++i) m.celle[i].pendenza = static_cast<uint8_t>(i);
    m.registro_celle.attivo = registro;
    return m;
}

TEST(RiempiCelle, ReachesOneCellThenUpToTheEndAndRefusesThePastTheLast) {
    struct Caso {
        int32_t indice;
        int64_t fino;
        int32_t indice_dopo;                 // where the index ends
        std::optional<std::string> rifiuto;  // part of the reason, when refused
    };
    // 10 cells: 0 to 9.
    const std::vector<Caso> casi = {
        {2, 6, 6, std::nullopt},         // a stretch
        {4, 4, 5, std::nullopt},         // always one cell
        {7, 3, 8, std::nullopt},         // one cell when the end is behind
        {0, 10, 10, std::nullopt},       // the whole line
        {6, 12, 10, "reaches cell 10"},  // past the last: cells 6 to 9 written, then refused
        {9, 11, 10, "reaches cell 10"},  {10, 11, 10, "reaches cell 10"},  // the first cell already past
        {-1, 3, -1, "before the start"},
    };
    for (const Caso& caso : casi) {
        for (const bool registro : {false, true}) {
            SCOPED_TRACE(std::to_string(caso.indice) + " to " + std::to_string(caso.fino) +
                         (registro ? ", registered" : ""));
            Modello m = linea_di(10, registro);
            int32_t indice = caso.indice;
            std::optional<std::string> rifiuto;
            try {
                riempi_celle(m, indice, caso.fino, &Cella::vel_limite, 33, "velocita", 500);
            } catch (const ErroreLettura& e) {
                rifiuto = e.what();
            }
            EXPECT_EQ(indice, caso.indice_dopo);
            ASSERT_EQ(rifiuto.has_value(), caso.rifiuto.has_value()) << rifiuto.value_or("");
            if (rifiuto) {
                EXPECT_NE(rifiuto->find(*caso.rifiuto), std::string::npos) << *rifiuto;
            }
            // The cells written are those from the first index to the last
            // before where the index ends, each once in the register.
            std::vector<std::pair<size_t, Cella>> attesi;
            for (int32_t i = 0; i < 10; ++i) {
                const bool raggiunta = i >= caso.indice && i < caso.indice_dopo;
                EXPECT_EQ(m.celle[static_cast<size_t>(i)].vel_limite, raggiunta ? 33 : 0) << "cell " << i;
                if (raggiunta && registro) {
                    Cella prima;
                    prima.pendenza = static_cast<uint8_t>(i);
                    attesi.emplace_back(static_cast<size_t>(i), prima);
                }
            }
            EXPECT_EQ(m.registro_celle.prima, attesi);
        }
    }
}

}  // namespace
}  // namespace compattatore
