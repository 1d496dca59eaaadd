# Copies the program's files from assets/ into its folder: the pictures,
# QInsert.lst and the language files (into Languages\). Files the user may
# have changed there (Settings.ini, Recent.lst) are never touched.
file(GLOB pictures "${SOURCE}/*.png")
foreach(f ${pictures} "${SOURCE}/QInsert.lst")
    if(EXISTS "${f}")
        file(COPY "${f}" DESTINATION "${TARGET}")
    endif()
endforeach()
file(GLOB languages "${SOURCE}/Languages/*.lng")
foreach(f ${languages})
    file(COPY "${f}" DESTINATION "${TARGET}/Languages")
endforeach()
