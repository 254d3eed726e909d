# Dumps a dictionary file, rebuilds it with the same save date and compares
# the two byte for byte. Arguments: LX (the lx program), DICT, WORK (scratch).
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${LX} dict dump ${DICT} -o ${WORK}/source
                OUTPUT_VARIABLE dumped RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dump failed: ${rc}")
endif()
string(REGEX MATCH "SOURCE_DATE_EPOCH=(-?[0-9]+)" _ "${dumped}")
set(ENV{SOURCE_DATE_EPOCH} ${CMAKE_MATCH_1})
execute_process(COMMAND ${LX} dict build ${WORK}/source -o ${WORK}/rebuilt.dct RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "build failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DICT} ${WORK}/rebuilt.dct
                RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "the rebuilt dictionary differs from ${DICT}")
endif()
