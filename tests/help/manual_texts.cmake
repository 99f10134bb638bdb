# Every text the program shows is in the manual, every message in the chm's index, every link of
# the built manual leads to a page, picture and anchor that exist, and no placeholder is left.
#   cmake -DSOURCE_DIR=<project> -DMANUAL_DIR=<build>/help -P manual_texts.cmake
#
# Each row: where the texts must appear @ text header @ constants taken (regex on the name; texts
# outside a named constant have the empty name) @ constants left out.
cmake_minimum_required(VERSION 3.25)
set(rows
    "pages@config/config_texts.h@.*@"
    "pages@files/file_texts.h@.*@"
    "pages@link/link_texts.h@.*@"
    "pages@app/app_texts.h@.*@"
    "pages@ui/ui_texts.h@.*@"
    "pages@cli/cli_texts.h@.*@(HELP|SUMMARY|HEAD|TAIL)$"
    "index@config/config_texts.h@.*@"
    "index@files/file_texts.h@_(TITLE|TEXT)$@"
    "index@link/link_texts.h@_(TITLE|TEXT)$@"
    "index@app/app_texts.h@_(TITLE|TEXT)$@^(NO_DISPLAY|NO_WAYLAND_PLUGIN|NO_X_PLUGIN|USAGE)_TEXT$"
    "index@ui/ui_texts.h@_(TITLE|TEXT)$@")
set(placeholders "TODO" "TBD" "FIXME" "later release" "to be written" "lorem ipsum")

# ";" separates CMake list items; texts carry it as this token instead (not tag-like, or the
# removal of tags below would take it, and every entity with it).
set(semicolon "{semicolon}")

# Plain text of HTML: block tags become blanks, other tags vanish, entities are decoded, and runs
# of blanks are one blank.
function(plain_text html out)
    string(REPLACE ";" "${semicolon}" text "${html}")
    string(REGEX REPLACE "<!--([^-]|-[^-])*-->" "" text "${text}")
    string(REGEX REPLACE "</?(p|br|li|ul|ol|td|th|tr|table|h[1-6]|pre|div|dt|dd|dl|LI|UL)[^>]*>"
           " " text "${text}")
    string(REGEX REPLACE "<[^>]*>" "" text "${text}")
    string(REPLACE "&quot${semicolon}" "\"" text "${text}")
    string(REPLACE "&nbsp${semicolon}" " " text "${text}")
    string(REPLACE "&lt${semicolon}" "<" text "${text}")
    string(REPLACE "&gt${semicolon}" ">" text "${text}")
    string(REPLACE "&times${semicolon}" "x" text "${text}")
    string(REPLACE "&amp${semicolon}" "&" text "${text}")
    string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The string literals of a header as "NAME=text" items: adjacent literals joined, escapes read,
# "&" of menu mnemonics dropped, blanks run together as in plain_text.
function(header_texts header out)
    file(READ ${header} code)
    string(REPLACE ";" "${semicolon}" code "${code}")
    string(REGEX REPLACE "(^|\n)[ \t]*//[^\n]*" "\\1" code "${code}")
    set(literal "\"([^\"\\\\]|\\\\.)*\"")
    set(items)
    string(REGEX MATCHALL "std::string_view [A-Z0-9_]+ =[ \t\r\n]*(${literal}[ \t\r\n]*)+" named
           "${code}")
    foreach(statement ${named})
        string(REGEX MATCH "std::string_view ([A-Z0-9_]+)" ignored "${statement}")
        set(name ${CMAKE_MATCH_1})
        string(REPLACE "${statement}" "" code "${code}")
        string(REGEX MATCHALL "${literal}" pieces "${statement}")
        set(text "")
        foreach(piece ${pieces})
            string(REGEX REPLACE "^\"(.*)\"$" "\\1" piece "${piece}")
            string(APPEND text "${piece}")
        endforeach()
        list(APPEND items "${name}=${text}")
    endforeach()
    string(REGEX MATCHALL "${literal}" loose "${code}")
    foreach(piece ${loose})
        string(REGEX REPLACE "^\"(.*)\"$" "\\1" piece "${piece}")
        list(APPEND items "=${piece}")
    endforeach()
    set(cleaned)
    foreach(item ${items})
        string(REPLACE "\\n" " " item "${item}")
        string(REPLACE "\\\"" "\"" item "${item}")
        string(REPLACE "\\\\" "\\" item "${item}")
        string(REGEX REPLACE "&([A-Za-z])" "\\1" item "${item}")
        string(REGEX REPLACE "[ \t]+" " " item "${item}")
        list(APPEND cleaned "${item}")
    endforeach()
    set(${out} "${cleaned}" PARENT_SCOPE)
endfunction()

file(GLOB pages ${SOURCE_DIR}/help/*.html)
set(documents_pages "")
foreach(page ${pages})
    file(READ ${page} html)
    plain_text("${html}" text)
    string(APPEND documents_pages " ${text}")
endforeach()
file(READ ${SOURCE_DIR}/help/tivra.hhk html)
plain_text("${html}" documents_index)
string(REGEX MATCHALL "value=\"[^\"]*\"" names "${html}")
string(REPLACE ";" " " names "${names}")
plain_text("${names}" index_names)
string(APPEND documents_index " ${index_names}")

set(failures "")
foreach(row ${rows})
    string(REPLACE "@" ";" row "${row}")
    list(GET row 0 where)
    list(GET row 1 header)
    list(GET row 2 taken)
    list(LENGTH row columns)
    set(left_out "")
    if(columns GREATER 3)
        list(GET row 3 left_out)
    endif()
    header_texts(${SOURCE_DIR}/src/${header} texts)
    foreach(item ${texts})
        string(REGEX MATCH "^([A-Z0-9_]*)=(.*)$" ignored "${item}")
        set(name "${CMAKE_MATCH_1}")
        set(text "${CMAKE_MATCH_2}")
        if(text STREQUAL "" OR NOT name MATCHES "${taken}")
            continue()
        endif()
        if(NOT left_out STREQUAL "" AND name MATCHES "${left_out}")
            continue()
        endif()
        string(FIND "${documents_${where}}" "${text}" at)
        if(at EQUAL -1)
            string(APPEND failures "  ${header} ${name}: \"${text}\" is not in the ${where}\n")
        endif()
    endforeach()
endforeach()

foreach(word ${placeholders})
    string(TOLOWER "${documents_pages}" lower)
    string(TOLOWER "${word}" lower_word)
    string(FIND "${lower}" "${lower_word}" at)
    if(NOT at EQUAL -1)
        string(APPEND failures "  placeholder wording \"${word}\" in the pages\n")
    endif()
endforeach()

# Links and pictures: relative targets must exist in the built manual, anchors in their page.
foreach(page ${pages})
    get_filename_component(page_name ${page} NAME)
    file(READ ${page} html)
    string(REGEX MATCHALL "(href|src)=\"[^\":]+\"" links "${html}")
    foreach(link ${links})
        string(REGEX REPLACE "^(href|src)=\"([^\"#]*)(#?)([^\"]*)\"$" "\\2;\\4" parts "${link}")
        list(GET parts 0 target)
        list(GET parts 1 anchor)
        if(target STREQUAL "")
            set(target ${page_name})
        endif()
        if(NOT EXISTS ${MANUAL_DIR}/${target})
            string(APPEND failures "  ${page_name}: ${link} leads to a missing file\n")
        elseif(NOT anchor STREQUAL "")
            file(READ ${MANUAL_DIR}/${target} target_html)
            string(FIND "${target_html}" "id=\"${anchor}\"" at)
            if(at EQUAL -1)
                string(APPEND failures "  ${page_name}: ${link} leads to a missing anchor\n")
            endif()
        endif()
    endforeach()
endforeach()

if(NOT failures STREQUAL "")
    string(REPLACE "${semicolon}" ";" failures "${failures}")
    message(FATAL_ERROR "The manual is incomplete:\n${failures}")
endif()
