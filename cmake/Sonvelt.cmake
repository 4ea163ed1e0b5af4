# Shared build settings for our own targets.

function(sonvelt_target_options target)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                             _WIN32_WINNT=0x0601 WINVER=0x0601 _USE_MATH_DEFINES)
  # -Wrestrict misfires on std::string inside GCC 12's own headers at -O2; event
  # handlers take the sender and the event's arguments whether they use them or not.
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wno-missing-field-initializers -Wno-restrict -Wno-unused-parameter>
                                           $<$<COMPILE_LANGUAGE:C>:-Wall -Wextra>)
  if(SONVELT_WERROR)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX,C>:-Werror>)
  endif()
endfunction()

# sonvelt_add_library(name SOURCES... [LIBS ...])
function(sonvelt_add_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  sonvelt_target_options(${name})
endfunction()

# Executables run with nothing beside them: static runtime. Sections start on
# page boundaries in the file as in memory, so that the loader can map them
# rather than read the whole image (debug information included) at each start.
function(sonvelt_link_options target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--file-alignment,4096)
endfunction()

# sonvelt_add_test(name SOURCES... [LIBS ...] [GUI]): one GoogleTest executable,
# listed in test-list.txt for scripts/test. Tests needing an own main() pass NOMAIN.
function(sonvelt_add_test name)
  cmake_parse_arguments(A "NOMAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  if(A_NOMAIN)
    target_link_libraries(${name} PRIVATE gtest gmock ${A_LIBS})
  else()
    target_link_libraries(${name} PRIVATE gtest_main gmock ${A_LIBS})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  sonvelt_target_options(${name})
  sonvelt_link_options(${name})
  set_property(GLOBAL APPEND PROPERTY SONVELT_TESTS ${name})
endfunction()

function(sonvelt_write_test_list)
  get_property(tests GLOBAL PROPERTY SONVELT_TESTS)
  set(lines "")
  foreach(t IN LISTS tests)
    string(APPEND lines "$<TARGET_FILE:${t}>\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/test-list.txt CONTENT "${lines}")
endfunction()

# sonvelt_glob_library(name [RECURSE] [LIBS ...]): a library of every .cpp/.c in the
# calling folder, so that adding a file needs no edit here.
function(sonvelt_glob_library name)
  cmake_parse_arguments(A "RECURSE" "" "LIBS" ${ARGN})
  if(A_RECURSE)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  else()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  endif()
  if(NOT srcs)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_LIBS})
    return()
  endif()
  sonvelt_add_library(${name} SOURCES ${srcs} LIBS ${A_LIBS})
endfunction()

# sonvelt_add_bench(name SOURCES... [LIBS ...]): a benchmark program, not built by default.
function(sonvelt_add_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} EXCLUDE_FROM_ALL ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  sonvelt_target_options(${name})
  sonvelt_link_options(${name})
endfunction()

# sonvelt_add_forms(target FORMS file...): converts our form text files into the
# binary component stream at build time and links each into target as an RCDATA
# resource named after the file ("MainSuite.form" -> "MainSuite"), which
# ReadComponentRes reads.
function(sonvelt_add_forms target)
  cmake_parse_arguments(A "" "" "FORMS" ${ARGN})
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms)
  set(lines "")
  set(streams "")
  foreach(form IN LISTS A_FORMS)
    get_filename_component(source ${form} ABSOLUTE)
    get_filename_component(name ${form} NAME_WE)
    set(stream ${dir}/${name}.bin)
    # The converter runs in a Wine prefix of its own, so that its Wine server,
    # started without a display, is never the one a program or test then joins.
    add_custom_command(OUTPUT ${stream}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                       COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${SONVELT_TOOLS_WINEPREFIX}
                               ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:sonvelt_formtext> ${source} ${stream}
                       DEPENDS ${source} sonvelt_formtext
                       COMMENT "Converting form text ${form}" VERBATIM)
    string(APPEND lines "${name} RCDATA \"${stream}\"\n")
    list(APPEND streams ${stream})
  endforeach()
  set(rc ${dir}/forms.rc)
  file(WRITE ${rc}.in "${lines}")
  configure_file(${rc}.in ${rc} COPYONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${streams}")
  target_sources(${target} PRIVATE ${rc})
endfunction()

# sonvelt_add_drawn_resources(target SOURCE_DIR dir): the cursors, bitmaps and texts
# of a library. Every dir/draw_*.py draws its pictures into one build folder, where
# the dir/*.rc scripts find them. The resources reach every program that links
# target (a resource object in a static library would never be pulled in).
function(sonvelt_add_drawn_resources target)
  cmake_parse_arguments(A "" "SOURCE_DIR" "" ${ARGN})
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(res_dir ${CMAKE_CURRENT_BINARY_DIR}/res)
  file(GLOB draw_scripts CONFIGURE_DEPENDS ${A_SOURCE_DIR}/draw_*.py)
  file(GLOB rc_files CONFIGURE_DEPENDS ${A_SOURCE_DIR}/*.rc)
  set(stamps "")
  foreach(script IN LISTS draw_scripts)
    get_filename_component(stem ${script} NAME_WE)
    set(stamp ${res_dir}/${stem}.stamp)
    add_custom_command(OUTPUT ${stamp}
                       COMMAND ${Python3_EXECUTABLE} ${script} ${res_dir}
                       COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
                       DEPENDS ${script}
                       COMMENT "Drawing ${stem}")
    list(APPEND stamps ${stamp})
  endforeach()
  add_custom_target(${target}_assets DEPENDS ${stamps})
  add_library(${target}_res OBJECT ${rc_files})
  target_include_directories(${target}_res PRIVATE ${res_dir} ${A_SOURCE_DIR})
  set_source_files_properties(${rc_files} PROPERTIES OBJECT_DEPENDS "${stamps}")
  add_dependencies(${target}_res ${target}_assets)
  target_link_libraries(${target} INTERFACE $<TARGET_OBJECTS:${target}_res>)
endfunction()
