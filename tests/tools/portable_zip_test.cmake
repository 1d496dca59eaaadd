# Packs the portable zip from the build and checks that it holds exactly the
# program folder: cmake -DBUILD=<build folder> -DWORK=<scratch folder> -P ...
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD}/CPackConfig.cmake -B ${WORK}
                RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(failed)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${WORK}/Quillex.zip
                RESULT_VARIABLE failed OUTPUT_VARIABLE listing)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "/$")
list(SORT entries)
set(expected
    Quillex/Languages/English.lng
    Quillex/Languages/Russian.lng
    Quillex/ListIconsQVGA.png
    Quillex/ListIconsVGA.png
    Quillex/QInsert.lst
    Quillex/Quillex.exe)
file(REMOVE_RECURSE ${WORK})
if(failed OR NOT entries STREQUAL expected)
    message(FATAL_ERROR "Quillex.zip holds\n  ${entries}\ninstead of\n  ${expected}")
endif()
message("Quillex.zip holds the program folder: ${entries}")
