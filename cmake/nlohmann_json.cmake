# nlohmann-json (header only, Debian's nlohmann-json3-dev) as the target tivra_json: tivractl's
# JSON output and its tests.
add_library(tivra_json INTERFACE)
if(CMAKE_CROSSCOMPILING)
    # The host's headers are the only copy, but /usr/include as a whole must not reach the cross
    # compiler (its C library headers would shadow the target's): the target's include folder
    # holds a copy of the nlohmann folder alone.
    find_path(TIVRA_HOST_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include /usr/local/include
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(json_include ${CMAKE_BINARY_DIR}/nlohmann-json/include)
    file(COPY ${TIVRA_HOST_JSON_INCLUDE}/nlohmann DESTINATION ${json_include})
    target_include_directories(tivra_json SYSTEM INTERFACE ${json_include})
else()
    find_package(nlohmann_json 3.10 REQUIRED)
    target_link_libraries(tivra_json INTERFACE nlohmann_json::nlohmann_json)
endif()
