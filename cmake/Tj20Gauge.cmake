# tj20_add_gauge(<dir>): the gauge module in <dir>/<module>.cpp, built as <module>.gau into
# the panel directory, exporting only ImportTable and Linkage. A <module>_test.cpp beside
# it joins the gauge tests.
set(TJ20_GAUGE_TEST_SOURCES "" CACHE INTERNAL "")

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
  if(WIN32)
    target_link_options(${module} PRIVATE -static -static-libgcc -static-libstdc++)
    # A Release plug-in carries no symbol tables: a simulator needs only the two exports.
    target_link_options(${module} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
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
  endif()
  set_property(GLOBAL APPEND PROPERTY TJ20_GAUGES ${module})
  if(EXISTS ${dir}/${module}_test.cpp)
    set_property(GLOBAL APPEND PROPERTY TJ20_GAUGE_TESTS ${dir}/${module}_test.cpp)
  endif()
endfunction()
