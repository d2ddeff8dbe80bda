# Writes the manual page from its template, with the notation names as the
# program lists them: cmake -DTOOL=... -DIN=... -DOUT=... -P make_manual.cmake
execute_process(COMMAND ${TOOL} OUTPUT_VARIABLE NOTATIONS COMMAND_ERROR_IS_FATAL ANY)
configure_file(${IN} ${OUT} @ONLY)
