# One layer of the program: a static library of the listed sources that may
# include and link only the layers named in LIBS. Qt's meta-object compiler and
# resource compiler run for the layers that have QObjects or resources.
function(varnel_library target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${target} STATIC ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    varnel_warnings(${target})
endfunction()
