# Writes the table of simulator-variable and key-event names that scenario scripts may use
# in place of numbers and that the trace prints: every named identifier of the given headers
# (the framework's identifier headers and the host's own simulator values), under the
# namespace it stands in. Both ways of writing an identifier are read:
#
#   inline constexpr std::uint32_t Name = 0x...;
#   inline constexpr SimVar Name{0x...};      (and KeyEvent)
#
# The values come from the constants themselves, so a name the table lists always means
# what the gauges and the model mean by it.
#
#   cmake -DOUTPUT=<file.cpp> -DHEADERS=<a.h;b.h;...> -DINCLUDES=<x.h;y.h> -P scenario_ids.cmake

set(sim_entries "")
set(key_entries "")
list(SORT HEADERS)
foreach(header IN LISTS HEADERS)
  file(STRINGS ${header} lines REGEX "namespace tj20::(sim|key)|inline constexpr (std::uint32_t|SimVar|KeyEvent) ")
  set(space "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^namespace tj20::(sim|key)")
      set(space ${CMAKE_MATCH_1})
    elseif(line MATCHES "inline constexpr (std::uint32_t|SimVar|KeyEvent) ([A-Za-z_][A-Za-z0-9_]*) *[={]"
           AND NOT space STREQUAL "")
      string(APPEND ${space}_entries "    {\"${CMAKE_MATCH_2}\", tj20::${space}::${CMAKE_MATCH_2}},\n")
    endif()
  endforeach()
endforeach()

set(text "// Generated from the identifier headers; do not edit.\n#include \"id_names.h\"\n")
foreach(include IN LISTS INCLUDES)
  string(APPEND text "#include \"${include}\"\n")
endforeach()
string(APPEND text "\nnamespace tj20::host {\n\n")
string(APPEND text "const std::vector<NamedId>& simNames() {\n  static const std::vector<NamedId> names{\n${sim_entries}  };\n  return names;\n}\n\n")
string(APPEND text "const std::vector<NamedId>& keyNames() {\n  static const std::vector<NamedId> names{\n${key_entries}  };\n  return names;\n}\n\n")
string(APPEND text "}  // namespace tj20::host\n")

# Rewrite only on change, so an edit elsewhere in a header rebuilds nothing.
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE ${OUTPUT} "${text}")
