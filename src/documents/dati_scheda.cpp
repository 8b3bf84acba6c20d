#include "documents/documenti.h"

#include "documents/scrivi_righe.h"
#include "model/nomi_file.h"
#include "platform/file.h"

namespace compattatore {

namespace {

// The train sheet handed to the driver.
constexpr std::string_view righe[] = {
    "",
    "",
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA   TRENO           |              |",
    " |   TRENO n.4821.3  |                   da: FIRENZE S.M.N.        |   V 200 C    |",
    " |___________________|                    a: BOLOGNA C.LE          |     135%     |",
    "                                                                   |______________|",
    "  ___________________                ___________________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |        IC         |              |      700T         |",
    " |___________________|              |___________________|",
    "",
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    " |  30 |     |    0     |  30 |FIRENZE S.M.N.              |           19.10|     |",
    " | 120 |  90 |    1.000 |  90 |deviatoio uscita            |                |     |",
    " |     |     |    2.750 |     |FIRENZE RIFREDI             |      19.14     |     |",
    " | 160 | 160 |    3.300 | 150 |deviatoio uscita            |                |     |",
    " |     |     |    5.200 |     |FIRENZE CASTELLO            |      19.17     |     |",
    " | 170 |     |    6.650 |     |deviatoio Uscita            |                |     |",
    " |     |     |    8.000 |     |SESTO FIORENTINO            |      19.20     |     |",
    " |     |     |   10.250 |     |P 142                       |                |     |",
    " |     |     |   11.500 |     |P 140                       |                |     |",
    " |     |     |   12.850 |     |P 138                       |                |     |",
    " | 120 | 120 |   16.350 |     |PRATO                       |      19.24     |     |",
    " |     |     |   21.350 |     |P 134                       |                |     |",
    " |     |     |   26.200 |     |VAIANO                      |      19.29     |     |",
    " |     |     |   31.400 |     |P 130                       |                |     |",
    " |     |     |   36.800 |     |VERNIO-MONTEPIANO CANTAGALLO|      19.35     |     |",
    " | 175 | 170 |   37.200 | 150 |imbocco galleria Appennino  |                |     |",
    " |     |     |   46.200 |     |p.c. precedenze             |      19.40     |     |",
    " | 125 | 125 |   55.550 | 125 |sbocco galleria Appennino   |                |     |",
    " |     |     |   56.300 |     |S. BENEDETTO SAMBRO         |                |     |",
    " |     |     |          |     |CASTIGLIONE PEPOLI          |      19.44     |     |",
    " | 180 | 175 |   56.850 | 150 |deviatoio uscita            |                |     |",
    " | 140 | 140 |   61.400 | 140 |GRIZZANA                    |      19.46     |     |",
    " |     |     |   66.550 |     |p 116                       |                |     |",
    " |     |     |   70.300 |     |imbocco viadotto Setta      |                |     |",
    " |     |     |   71.300 |     |MONZUNO-VADO                |      19.51     |     |",
    " | 180 | 160 |   72.550 | 150 |imbocco galleria M.Adone    |                |     |",
    " |     |     |   76.000 |     |P 112                       |                |     |",
    " | 140 | 140 |   78.700 | 140 |sbocco galleria M.Adone     |                |     |",
    " |     |     |   80.500 |     |PIANORO                     |      19.55     |     |",
    " |     |     |   85.000 |     |P 108                       |                |     |",
    " | 145 | 145 |   90.600 | 145 |BO. S.RUFFILLO              |      20.01     |     |",
    " |     |     |   93.450 |     |bivio crociali              |                |     |",
    " |  70 |  70 |   95.500 |  70 |protezione Bologna C.le     |                |     |",
    " |  30 |  30 |   96.000 |  30 |deviatoio ingresso          |                |     |",
    " |     |     |   96.600 |     |BOLOGNA C.LE                |20.07           |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    "",
};

}  // namespace

void dati_scheda(const std::string& directory, const std::string& chiave_linea, const std::string& chiave_treno,
                 bool sincronizza) {
    scrivi_righe(piattaforma::unisci(directory, nome_scheda(chiave_linea, chiave_treno)), righe, sincronizza);
}

}  // namespace compattatore
