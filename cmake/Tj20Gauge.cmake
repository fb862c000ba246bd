# tj20_add_gauge(<dir>): the gauge module in <dir>/<module>.cpp, built as <module>.gau into
# the panel directory, exporting only ImportTable and Linkage, and carrying the bitmaps that
# tj20_artgen draws from <dir>/art.txt. A <module>_test.cpp beside it joins the gauge tests.
#
# The artwork: tj20_artgen reads the linked module's elements and mouse areas and the
# description, and writes the bitmaps, a resource script and a resource directory into
# ${TJ20_ART_DIR}/<module>/. A native module takes the directory into its section "tj20rsrc"
# right after linking; a Windows module links the resource script (BITMAP resources through
# windres), drawn by a native build of the same sources (see tj20_native_art below).
set(TJ20_GAUGE_TEST_SOURCES "" CACHE INTERNAL "")
set(TJ20_ART_DIR ${CMAKE_BINARY_DIR}/art)

function(tj20_add_gauge dir)
  get_filename_component(module ${dir} NAME)
  add_library(${module} MODULE ${dir}/${module}.cpp)
  target_link_libraries(${module} PRIVATE tj20_framework)
  set_target_properties(${module} PROPERTIES
    PREFIX "" SUFFIX ".gau"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${TJ20_PANEL_DIR}
    RUNTIME_OUTPUT_DIRECTORY ${TJ20_PANEL_DIR})
  if(NOT EXISTS ${dir}/art.txt)
    message(FATAL_ERROR "${dir}: the module has no artwork description art.txt")
  endif()
  if(WIN32)
    target_link_options(${module} PRIVATE -static -static-libgcc -static-libstdc++)
    # A Release plug-in carries no symbol tables: a simulator needs only the two exports.
    target_link_options(${module} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
    set(script ${TJ20_NATIVE_ART_DIR}/${module}/resources.rc)
    set_source_files_properties(${script} PROPERTIES GENERATED ON)
    target_sources(${module} PRIVATE ${script})
    add_dependencies(${module} tj20_native_art)
    set_property(GLOBAL APPEND PROPERTY TJ20_ART_SCRIPTS ${script})
  else()
    # The sound library is looked up beside the module.
    set_target_properties(${module} PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
    target_link_options(${module} PRIVATE
      -Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/gauge.map -Wl,--enable-new-dtags)
    # Every symbol resolved at link time, except in the fuzzing build: clang keeps the
    # sanitizer runtime in the executable, which the module finds only when it is loaded.
    if(NOT TJ20_FUZZ)
      target_link_options(${module} PRIVATE -Wl,-z,defs)
    endif()
    # The description, the descriptions it may use from the subsystem's shared folders and the
    # generator itself relink the module, which draws its artwork again.
    get_filename_component(subsystem ${dir} DIRECTORY)
    file(GLOB shared_art CONFIGURE_DEPENDS ${subsystem}/*/*.art)
    set_property(TARGET ${module} APPEND PROPERTY LINK_DEPENDS ${dir}/art.txt ${shared_art}
                                                             $<TARGET_FILE:tj20_artgen>)
    add_dependencies(${module} tj20_artgen)
    set(out ${TJ20_ART_DIR}/${module})
    add_custom_command(TARGET ${module} POST_BUILD
      COMMAND $<TARGET_FILE:tj20_artgen> $<TARGET_FILE:${module}> ${dir}/art.txt ${out}
      COMMAND ${CMAKE_OBJCOPY} --add-section tj20rsrc=${out}/resources.bin
              --set-section-flags tj20rsrc=readonly,contents $<TARGET_FILE:${module}>
      COMMENT "Drawing the artwork of ${module}"
      VERBATIM)
  endif()
  set_property(GLOBAL APPEND PROPERTY TJ20_GAUGES ${module})
  if(EXISTS ${dir}/${module}_test.cpp)
    set_property(GLOBAL APPEND PROPERTY TJ20_GAUGE_TESTS ${dir}/${module}_test.cpp)
  endif()
endfunction()

# tj20_native_art(): for a cross build (the Windows modules), a build of the same sources for
# the build machine whose modules tj20_artgen draws; its art directory is the one the
# Windows modules' resource scripts come from.
function(tj20_native_art)
  include(ExternalProject)
  set(native ${CMAKE_BINARY_DIR}/native-art)
  ExternalProject_Add(tj20_native_art
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${native}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DTJ20_BUILD_HOST=OFF -DTJ20_TEST_GAUGES_ART=ON
               -DTJ20_WARNINGS_AS_ERRORS=${TJ20_WARNINGS_AS_ERRORS}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${native} --target tj20_all_gauges
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${ARGN}
    USES_TERMINAL_BUILD ON)
endfunction()
