# The portable zip: Quillex.exe beside its Languages folder, the pictures and
# QInsert.lst, in a folder "Quillex" that runs where it is unpacked. Built by
# `cmake --build build --target package` as build/Quillex.zip. The files come
# from the sources, not from build/program, where a run of the editor leaves
# its Settings.ini and Recent.lst.
install(TARGETS Quillex RUNTIME DESTINATION .)
file(GLOB quillex_pictures ${CMAKE_SOURCE_DIR}/assets/*.png)
install(FILES ${quillex_pictures} ${CMAKE_SOURCE_DIR}/assets/QInsert.lst DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/Languages/ DESTINATION Languages
        FILES_MATCHING PATTERN "*.lng")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quillex)
set(CPACK_PACKAGE_FILE_NAME Quillex)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
