# Makes the built manual from the pages of help/: each page gets the navigation bar and a title
# that names the product, tables computed by the program take their places, and from the pages'
# own headings and help/index.txt come the contents and index of the compiled manual (tivra.hhc,
# tivra.hhk) and the index page of the HTML manual (terms.html). So no heading can be missing
# from the contents or the index, and no two lists of pages can disagree.
#   cmake -DSOURCE=<help> -DOUT=<build>/help -DPROJECT_OUT=<build>/help-project
#         "-DPAGES=index.html=Contents;..." [-DRATES=<rates table>] -DVERSION=<version>
#         -P make_manual.cmake
# The pages and the index say @TIVRA_VERSION@ where the version goes.
cmake_minimum_required(VERSION 3.25)

set(product "Quorvantel Ostrel RK-2 configurator")
# ";" separates CMake list items: the pages' text carries it as this token while it is worked on.
set(semicolon "{semicolon}")
function(read_html path out)
    file(READ ${path} text)
    string(REPLACE "@TIVRA_VERSION@" "${VERSION}" text "${text}")
    string(REPLACE ";" "${semicolon}" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
function(write_html path text)
    string(REPLACE "${semicolon}" ";" text "${text}")
    file(WRITE ${path} "${text}")
endfunction()
# Text of an HTML fragment for a list or a title: tags dropped, blanks run together.
function(plain fragment out)
    string(REGEX REPLACE "<[^>]*>" "" text "${fragment}")
    string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
    string(STRIP "${text}" text)
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The pages in the order of the bar and the contents: "FILE=LABEL"; terms.html is made here.
set(names)
set(labels)
foreach(entry ${PAGES})
    string(REPLACE "=" ";" entry "${entry}")
    list(GET entry 0 name)
    list(GET entry 1 label)
    if(name STREQUAL "terms.html" OR EXISTS ${SOURCE}/${name})
        list(APPEND names ${name})
        list(APPEND labels "${label}")
    endif()
endforeach()

function(navigation current out)
    set(bar "")
    list(LENGTH names count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        list(GET names ${i} name)
        list(GET labels ${i} label)
        if(NOT bar STREQUAL "")
            string(APPEND bar " | ")
        endif()
        if(name STREQUAL current)
            string(APPEND bar "<b>${label}</b>")
        else()
            string(APPEND bar "<a href=\"${name}\">${label}</a>")
        endif()
    endforeach()
    set(${out} "<p class=\"nav\">${bar}</p>" PARENT_SCOPE)
endfunction()

set(rates_table "")
if(RATES)
    read_html(${RATES} rates_table)
endif()

file(MAKE_DIRECTORY ${OUT} ${PROJECT_OUT})
set(contents "")
set(headings)  # "TEXT|PAGE#ID" items for the index
foreach(name ${names})
    if(name STREQUAL "terms.html")
        continue()
    endif()
    read_html(${SOURCE}/${name} page)
    if(NOT page MATCHES "<h1[^>]*>(.*)</h1>")
        message(FATAL_ERROR "${name} has no <h1> heading")
    endif()
    string(REGEX MATCH "<h1[^>]*>([^\n]*)</h1>" ignored "${page}")
    plain("${CMAKE_MATCH_1}" title)
    navigation(${name} bar)
    string(REGEX REPLACE "<p class=\"nav\">[^\n]*</p>" "${bar}" page "${page}")
    if(name STREQUAL "index.html")
        set(page_title "${product}: manual")
    else()
        set(page_title "${title} - ${product}")
    endif()
    string(REGEX REPLACE "<title>[^<]*</title>" "<title>${page_title}</title>" page "${page}")
    # Words of code never break at their hyphens: each blank-free word of a <code> element in
    # a span that keeps it whole ("--remote-stores-rate", "mixed-sensors.smc").
    string(REGEX MATCHALL "<code>[^<]*</code>" codes "${page}")
    list(REMOVE_DUPLICATES codes)
    foreach(code ${codes})
        string(REGEX REPLACE "^<code>(.*)</code>$" "\\1" inside "${code}")
        string(REGEX REPLACE "([^ \n]*-[^ \n]*)" "<span class=\"nw\">\\1</span>" kept "${inside}")
        string(REPLACE "${code}" "<code>${kept}</code>" page "${page}")
    endforeach()
    if(page MATCHES "<!-- rate table -->")
        if(rates_table STREQUAL "")
            message(FATAL_ERROR "${name} wants the rate table, which this build did not make")
        endif()
        string(REPLACE "<!-- rate table -->" "${rates_table}" page "${page}")
    endif()
    write_html(${OUT}/${name} "${page}")

    # Contents: the page, its sections (h2) and their parts (h3), each with an id.
    string(APPEND contents "    <LI> <OBJECT type=\"text/sitemap\">\n"
        "        <param name=\"Name\" value=\"${title}\">\n"
        "        <param name=\"Local\" value=\"${name}\">\n        </OBJECT>\n")
    string(REGEX MATCHALL "<h[23] id=\"[^\"]+\">[^\n]*</h[23]>" sections "${page}")
    set(level 1)
    foreach(section ${sections})
        string(REGEX MATCH "^<h([23]) id=\"([^\"]+)\">(.*)</h[23]>$" ignored "${section}")
        set(depth ${CMAKE_MATCH_1})
        set(id ${CMAKE_MATCH_2})
        plain("${CMAKE_MATCH_3}" text)
        string(REPLACE "\"" "&quot${semicolon}" text "${text}")
        math(EXPR wanted "${depth} - 1")
        while(level LESS wanted)
            string(APPEND contents "    <UL>\n")
            math(EXPR level "${level} + 1")
        endwhile()
        while(level GREATER wanted)
            string(APPEND contents "    </UL>\n")
            math(EXPR level "${level} - 1")
        endwhile()
        string(APPEND contents "    <LI> <OBJECT type=\"text/sitemap\">\n"
            "        <param name=\"Name\" value=\"${text}\">\n"
            "        <param name=\"Local\" value=\"${name}#${id}\">\n        </OBJECT>\n")
        list(APPEND headings "${text}|${name}#${id}")
    endforeach()
    while(level GREATER 1)
        string(APPEND contents "    </UL>\n")
        math(EXPR level "${level} - 1")
    endwhile()
endforeach()
set(sitemap_head "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD>\n</HEAD>\n<BODY>\n<UL>\n")
set(sitemap_tail "</UL>\n</BODY>\n</HTML>\n")
write_html(${PROJECT_OUT}/tivra.hhc "${sitemap_head}${contents}${sitemap_tail}")

# The index: help/index.txt and every heading, sorted as a reader looks them up.
file(STRINGS ${SOURCE}/index.txt lines ENCODING UTF-8)
string(REPLACE "@TIVRA_VERSION@" "${VERSION}" lines "${lines}")
set(terms ${headings})
foreach(line ${lines})
    if(line MATCHES "^#" OR NOT line MATCHES " \\| ")
        continue()
    endif()
    string(REGEX MATCH "^(.*) \\| ([^ ]+)$" ignored "${line}")
    set(target "${CMAKE_MATCH_2}")
    # Written as text; the headings' terms are HTML already.
    string(REPLACE "&" "&amp${semicolon}" term "${CMAKE_MATCH_1}")
    string(REPLACE "<" "&lt${semicolon}" term "${term}")
    string(REPLACE ">" "&gt${semicolon}" term "${term}")
    string(REPLACE "\"" "&quot${semicolon}" term "${term}")
    list(APPEND terms "${term}|${target}")
endforeach()
list(REMOVE_DUPLICATES terms)
list(SORT terms CASE INSENSITIVE)
set(index "")
set(listing "")
set(letter "")
set(letters "")
foreach(item ${terms})
    string(FIND "${item}" "|" bar REVERSE)
    string(SUBSTRING "${item}" 0 ${bar} term)
    math(EXPR at "${bar} + 1")
    string(SUBSTRING "${item}" ${at} -1 target)
    string(APPEND index "    <LI> <OBJECT type=\"text/sitemap\">\n"
        "        <param name=\"Name\" value=\"${term}\">\n"
        "        <param name=\"Local\" value=\"${target}\">\n        </OBJECT>\n")
    string(SUBSTRING "${term}" 0 1 first)
    string(TOUPPER "${first}" first)
    if(NOT first MATCHES "[A-Z]")
        set(first "0-9")
    endif()
    if(NOT first STREQUAL letter)
        if(NOT letter STREQUAL "")
            string(APPEND listing "</ul>\n")
        endif()
        string(APPEND listing "<h2 id=\"letter-${first}\">${first}</h2>\n<ul class=\"terms\">\n")
        if(NOT letters STREQUAL "")
            string(APPEND letters " | ")
        endif()
        string(APPEND letters "<a href=\"#letter-${first}\">${first}</a>")
        set(letter "${first}")
    endif()
    string(APPEND listing "<li><a href=\"${target}\">${term}</a></li>\n")
endforeach()
string(APPEND listing "</ul>\n")
write_html(${PROJECT_OUT}/tivra.hhk "${sitemap_head}${index}${sitemap_tail}")

navigation(terms.html bar)
write_html(${OUT}/terms.html "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">
<title>Index - ${product}</title>
<link rel=\"stylesheet\" href=\"style.css\">
</head>
<body>
${bar}

<h1>Index</h1>
<p>Every section of the manual and its main terms, every message by its title and by its text.</p>
<p class=\"letters\">${letters}</p>
${listing}</body>
</html>
")

# The compiled manual's project: the pages in the order of the contents.
set(files "")
foreach(name ${names})
    string(APPEND files "${name}\n")
endforeach()
file(READ ${SOURCE}/tivra.hhp project)
string(REGEX REPLACE "\\[FILES\\].*" "[FILES]\n${files}style.css\n" project "${project}")
file(WRITE ${PROJECT_OUT}/tivra.hhp "${project}")
