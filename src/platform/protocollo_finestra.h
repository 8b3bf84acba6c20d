// What the program and its window program say to each other. The program
// writes requests on the window program's standard input and reads the
// answers from its standard output, one line each:
//
//   window program: "pronta"         the display is open
//   program:        "attesa"         show the wait window
//   window program: "fatto"          it is painted (after the test pause)
//   program:        "messaggio N"    then N bytes: the text of a message box
//   window program: "fatto"          OK was pressed
//
// The end of its input ends the window program. When the display cannot be
// opened it ends with USCITA_SENZA_DISPLAY before saying anything: no window
// is then expected, and the console stands in without a word.
#pragma once

namespace compattatore::piattaforma::protocollo_finestra {

inline constexpr const char* PRONTA = "pronta";
inline constexpr const char* ATTESA = "attesa";
inline constexpr const char* MESSAGGIO = "messaggio";
inline constexpr const char* FATTO = "fatto";

inline constexpr int USCITA_SENZA_DISPLAY = 2;

}  // namespace compattatore::piattaforma::protocollo_finestra
