# The manual (help/help.cmake): every operator text, message and tivractl command documented, its
# links whole, its contents, index and rate table right, and tivra.chm holding every page. Scripts,
# not programs: they read the pages.
set(manual_tests ${CMAKE_CURRENT_SOURCE_DIR}/help)
find_package(Python3 COMPONENTS Interpreter)
if(NOT CMAKE_CROSSCOMPILING AND Python3_FOUND)
    if(manual_pictures)  # the links are checked in the built manual, pictures included
        add_test(NAME manual_texts COMMAND Python3::Interpreter ${manual_tests}/manual_texts.py
            ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/help)
    endif()
    if(TARGET tivractl)
        add_test(NAME manual_tivractl COMMAND Python3::Interpreter ${manual_tests}/manual_tivractl.py
            $<TARGET_FILE:tivractl> ${PROJECT_SOURCE_DIR})
    endif()
endif()
find_program(TIVRA_7Z 7z)
if(manual_pictures AND NOT manual_chm)
    tivra_test_needs(manual_chm "chmcmd (the help compiler)" fp-utils)
elseif(manual_chm AND NOT TIVRA_7Z)
    tivra_test_needs(manual_chm 7z p7zip-full)
elseif(manual_chm)
    # The Windows build checks the copy beside the programs.
    list(GET manual_chm -1 chm)
    add_test(NAME manual_chm COMMAND ${CMAKE_COMMAND} -DSEVEN_ZIP=${TIVRA_7Z} -DCHM=${chm}
        -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DPICTURES=${CMAKE_BINARY_DIR}/help/pictures
        -P ${manual_tests}/manual_chm.cmake)
endif()
