# The package a user copies into a simulator, from a Windows build (install rules and a
# ZIP per component through CPack, `cmake --build <dir> --target package`):
#   component "panel":    gauges/rl_tj20_*.gau  (the panel's modules, stripped in Release)
#                         panel/panel.cfg       (the panel configuration, panels/default.cfg)
#                         sound/sounds.txt      (the wave files the gauges play)
#   component "standin":  standin/GaugeSound.dll (the sound library stand-in, for testing
#                         without a simulator; never copied into one, which has its own)
if(NOT WIN32)
  return()
endif()
get_property(panel_modules GLOBAL PROPERTY TJ20_PANEL_MODULES)
install(TARGETS ${panel_modules} LIBRARY DESTINATION gauges COMPONENT panel)
install(FILES ${CMAKE_SOURCE_DIR}/panels/default.cfg DESTINATION panel RENAME panel.cfg COMPONENT panel)
install(FILES ${CMAKE_SOURCE_DIR}/panels/sounds.txt DESTINATION sound COMPONENT panel)
install(TARGETS GaugeSound LIBRARY DESTINATION standin COMPONENT standin)

set(CPACK_PACKAGE_NAME tj20_panel)
set(CPACK_PACKAGE_FILE_NAME tj20_panel-win32)
set(CPACK_GENERATOR ZIP)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL panel standin)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
