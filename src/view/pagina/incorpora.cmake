# Writes the header that builds the viewer page's script and style sheet into
# the program. Run at build time (cmake -P), so that editing either file
# rebuilds the view layer and nothing else.
#   -DMODELLO=risorse.h.in -DSCRIPT=vista.js -DSTILE=vista.css -DUSCITA=header
file(READ ${SCRIPT} VISTA_SCRIPT)
file(READ ${STILE} VISTA_STILE)
# The files go in raw string literals: their closing sequence inside would
# end the literal early.
foreach(coppia "VISTA_SCRIPT;)vista_js\"" "VISTA_STILE;)vista_css\"")
  list(GET coppia 0 variabile)
  list(GET coppia 1 chiusura)
  string(FIND "${${variabile}}" "${chiusura}" dove)
  if(NOT dove EQUAL -1)
    message(FATAL_ERROR "${variabile} holds ${chiusura}, which would end its literal in the header")
  endif()
endforeach()
configure_file(${MODELLO} ${USCITA} @ONLY)
