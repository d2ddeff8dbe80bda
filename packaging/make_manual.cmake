# Writes the manual page from its template, with the notation names and the
# keys as the program lists them:
#   cmake -DTOOL=doc_tables -DKEYS=keys.tsv -DIN=... -DOUT=... -DVERSION=... -DDATE=... -P make_manual.cmake
execute_process(COMMAND ${TOOL} notations OUTPUT_VARIABLE NOTATIONS COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${TOOL} keys-man ${KEYS} OUTPUT_VARIABLE KEYS_TABLE COMMAND_ERROR_IS_FATAL ANY)
string(STRIP "${KEYS_TABLE}" KEYS_TABLE)
configure_file(${IN} ${OUT} @ONLY)
