// The train graph's lines and crossings from hand-made object tables.
#include "scenario/grafico_orario.h"

#include <gtest/gtest.h>

namespace compattatore {
namespace {

struct Fermata {
    const char* nome;
    int32_t metri;
    int32_t orario;  // 0: no time
};

// A train with its stations in records 1 upward and its start clock.
Corsa corsa(const char* treno, int16_t ore, int16_t minuti, const std::vector<Fermata>& fermate) {
    ScenarioCompilato s;
    s.oggetti[OGGETTO_TRENO].valori[2] = ore;
    s.oggetti[OGGETTO_TRENO].valori[3] = minuti;
    for (size_t i = 0; i < fermate.size(); ++i) {
        Oggetto& o = s.oggetti[i + 1];
        o.tipo = 12;
        o.posizione = fermate[i].metri;
        o.orario = fermate[i].orario;
        o.nome = fermate[i].nome;
    }
    return corsa_di(s, {"L", treno});
}

constexpr int32_t ORA = 3600;

TEST(GraficoOrario, TheLineStandsAtTheFirstStationFromTheClockThenFollowsTheTimedStations) {
    const Corsa c = corsa("T1", 8, 0, {{"A", 0, 8 * ORA + 300}, {"B", 5000, 0}, {"C", 10000, 8 * ORA + 1200}});
    EXPECT_EQ(c.treno, "T1");
    ASSERT_EQ(c.punti.size(), 3u);
    EXPECT_EQ(c.punti[0].secondi, 8 * ORA);
    EXPECT_EQ(c.punti[0].metri, 0);
    EXPECT_EQ(c.punti[1].secondi, 8 * ORA + 300);
    EXPECT_EQ(c.punti[1].metri, 0);
    EXPECT_EQ(c.punti[2].secondi, 8 * ORA + 1200);
    EXPECT_EQ(c.punti[2].metri, 10000);
    ASSERT_EQ(c.fermate.size(), 3u);
    EXPECT_EQ(c.fermate[1].nome, "B");
    EXPECT_EQ(c.fermate[1].metri, 5000);
    EXPECT_FALSE(c.fermate[1].secondi);
}

TEST(GraficoOrario, PastMidnightGoesOnWhileATimeALittleEarlierRunsBackwards) {
    const Corsa notte = corsa("N", 23, 50, {{"A", 0, 23 * ORA + 55 * 60}, {"C", 10000, 600}});
    ASSERT_EQ(notte.punti.size(), 3u);
    EXPECT_EQ(notte.punti[2].secondi, 86400 + 600);
    const Corsa indietro = corsa("I", 8, 0, {{"A", 0, 9 * ORA}, {"C", 10000, 8 * ORA + 1800}});
    ASSERT_EQ(indietro.punti.size(), 3u);
    EXPECT_EQ(indietro.punti[2].secondi, 8 * ORA + 1800);
    // No clock, no station with a time: nothing to draw.
    EXPECT_TRUE(corsa("V", 0, 0, {{"A", 0, 0}, {"C", 10000, 0}}).punti.empty());
}

TEST(GraficoOrario, StationsOfAllTrainsByDistanceOnce) {
    const std::vector<Corsa> corse = {corsa("T1", 8, 0, {{"A", 0, 0}, {"C", 10000, 0}}),
                                      corsa("T2", 8, 0, {{"A", 0, 0}, {"B", 5000, 0}, {"C", 10000, 0}})};
    const std::vector<StazioneGrafico> s = stazioni_delle_corse(corse);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].nome, "A");
    EXPECT_EQ(s[1].nome, "B");
    EXPECT_EQ(s[1].metri, 5000);
    EXPECT_EQ(s[2].nome, "C");
}

TEST(GraficoOrario, CrossingsBetweenStationsAreFoundAndTold) {
    // A slow train leaving A at 08:00 and a fast one at 08:10, both due at C:
    // the fast one overtakes at 08:15, 2500 m, between A and B.
    const Corsa lento = corsa("LENTO", 7, 50, {{"A", 0, 8 * ORA}, {"B", 5000, 0}, {"C", 10000, 9 * ORA}});
    const Corsa veloce = corsa("VELOCE", 8, 0, {{"A", 0, 8 * ORA + 600}, {"C", 10000, 8 * ORA + 1800}});
    // Running the other way from C at 08:00, due at A at 08:40: meets the slow
    // train at 08:24, 4000 m, between A and B, and the fast one at 08:20 at
    // B itself, where meeting is what the station is for.
    const Corsa ritorno = corsa("RITORNO", 7, 55, {{"C", 10000, 8 * ORA}, {"A", 0, 8 * ORA + 2400}});
    // Leaving A as the slow train reaches C: crosses nobody.
    const Corsa tardi = corsa("TARDI", 9, 0, {{"A", 0, 9 * ORA + 600}, {"C", 10000, 10 * ORA}});
    const std::vector<Corsa> corse = {lento, veloce, ritorno, tardi};
    const std::vector<StazioneGrafico> stazioni = stazioni_delle_corse(corse);
    const std::vector<Incrocio> incroci = incroci_tra(corse, stazioni);

    struct Atteso {
        size_t prima, seconda;
        double secondi, metri;
        const char* da;
        const char* a;
        bool sorpasso;
    };
    const Atteso attesi[] = {
        {0, 1, 8 * ORA + 900, 2500, "A", "B", true},
        {0, 2, 8 * ORA + 1440, 4000, "A", "B", false},
    };
    ASSERT_EQ(incroci.size(), std::size(attesi));
    for (size_t k = 0; k < incroci.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(incroci[k].prima, attesi[k].prima);
        EXPECT_EQ(incroci[k].seconda, attesi[k].seconda);
        EXPECT_NEAR(incroci[k].secondi, attesi[k].secondi, 1e-6);
        EXPECT_NEAR(incroci[k].metri, attesi[k].metri, 1e-6);
        EXPECT_EQ(stazioni[incroci[k].da].nome, attesi[k].da);
        EXPECT_EQ(stazioni[incroci[k].a].nome, attesi[k].a);
        EXPECT_EQ(incroci[k].sorpasso, attesi[k].sorpasso);
    }
}

// Stations at the ends of what an int32 holds: the distances between them
// do not fit one, and the crossing is still found where it is.
TEST(GraficoOrario, ACrossingBetweenTheFarthestStationsIsFound) {
    const Corsa su = corsa("SU", 0, 0, {{"A", INT32_MIN, 8 * ORA}, {"B", INT32_MAX, 9 * ORA}});
    const Corsa giu = corsa("GIU", 0, 0, {{"B", INT32_MAX, 8 * ORA}, {"A", INT32_MIN, 9 * ORA}});
    const std::vector<Corsa> corse = {su, giu};
    const std::vector<StazioneGrafico> stazioni = stazioni_delle_corse(corse);
    const std::vector<Incrocio> incroci = incroci_tra(corse, stazioni);
    ASSERT_EQ(incroci.size(), 1u);
    EXPECT_NEAR(incroci[0].secondi, 8 * ORA + 1800, 1e-6);
    EXPECT_NEAR(incroci[0].metri, -0.5, 1e-6);
    EXPECT_FALSE(incroci[0].sorpasso);
}

}  // namespace
}  // namespace compattatore
