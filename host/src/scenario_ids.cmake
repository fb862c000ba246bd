# Writes the table of simulator-variable and key-event names that scenario scripts may use
# in place of numbers: every `inline constexpr std::uint32_t Name = ...` of the framework's
# identifier headers, under the namespace it stands in. The values come from the constants
# themselves, so a name the table lists always means what the gauges mean by it.
#
#   cmake -DOUTPUT=<file.cpp> -DHEADERS=<a.h;b.h;...> -P scenario_ids.cmake

set(sim_entries "")
set(key_entries "")
list(SORT HEADERS)
foreach(header IN LISTS HEADERS)
  file(STRINGS ${header} lines REGEX "namespace tj20::(sim|key)|inline constexpr (std::uint32_t|SimVar|KeyEvent)")
  set(space "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^namespace tj20::(sim|key)")
      set(space ${CMAKE_MATCH_1})
    elseif(line MATCHES "inline constexpr (std::uint32_t|SimVar|KeyEvent) ([A-Za-z_][A-Za-z0-9_]*)[ ={]" AND NOT space STREQUAL "")
      string(APPEND ${space}_entries "    {\"${CMAKE_MATCH_2}\", tj20::${space}::${CMAKE_MATCH_2}},\n")
    endif()
  endforeach()
endforeach()

set(text "// Generated from the framework's identifier headers; do not edit.\n")
string(APPEND text "#include \"scenario_names.h\"\n#include \"tj20/ids.h\"\n\n")
string(APPEND text "namespace tj20::host::scenario {\n\n")
string(APPEND text "const std::vector<NamedId>& simNames() {\n  static const std::vector<NamedId> names{\n${sim_entries}  };\n  return names;\n}\n\n")
string(APPEND text "const std::vector<NamedId>& keyNames() {\n  static const std::vector<NamedId> names{\n${key_entries}  };\n  return names;\n}\n\n")
string(APPEND text "}  // namespace tj20::host::scenario\n")

# Rewrite only on change, so an edit elsewhere in a header rebuilds nothing.
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE ${OUTPUT} "${text}")
