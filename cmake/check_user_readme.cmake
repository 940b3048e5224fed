# Fails when README.txt of the release zip (docs/USER-README.txt.in) leaves out a command-line
# option, an INI section or an INI key that README.md documents: a user of the zip reads only
# README.txt, so a new feature must reach it too.
#   cmake -DREADME=README.md -DUSER_README=docs/USER-README.txt.in -P check_user_readme.cmake
file(READ "${README}" readme)
file(READ "${USER_README}" user)

# Options: the command-line examples ("Glowmere.exe -name") and options quoted as `-name`.
string(REGEX MATCHALL "Glowmere\\.exe -[a-z]+|`-[a-z]+`" options "${readme}")
# INI sections and keys: lines "[Section]" and "Key=value" in the examples.
string(REGEX MATCHALL "\n\\[[A-Za-z]+\\]\r?\n" sections "${readme}")
string(REGEX MATCHALL "\n[A-Z][A-Za-z]+=[^\n]*" keys "${readme}")
# Keys of the settings file the text names inline, as `key=value` (they are lower case).
string(REGEX MATCHALL "`[a-z]+=[^`]*`" inlineKeys "${readme}")

set(wanted "")
foreach(item IN LISTS options)
  string(REGEX REPLACE "^.*(-[a-z]+).*$" "\\1" item "${item}")
  list(APPEND wanted "${item}")
endforeach()
foreach(item IN LISTS sections)
  string(STRIP "${item}" item)
  list(APPEND wanted "${item}")
endforeach()
foreach(item IN LISTS keys)
  string(REGEX REPLACE "^\n([A-Za-z]+)=.*$" "\\1=" item "${item}")
  list(APPEND wanted "${item}")
endforeach()
foreach(item IN LISTS inlineKeys)
  string(REGEX REPLACE "^`([a-z]+)=.*$" "\\1=" item "${item}")
  list(APPEND wanted "${item}")
endforeach()
list(REMOVE_DUPLICATES wanted)
list(LENGTH wanted count)
if(count LESS 5)
  message(FATAL_ERROR "found only ${count} options, sections and keys in ${README}: has its layout changed?")
endif()

set(missing "")
foreach(item IN LISTS wanted)
  string(FIND "${user}" "${item}" at)
  if(at EQUAL -1)
    list(APPEND missing "${item}")
  endif()
endforeach()
if(missing)
  string(REPLACE ";" ", " missing "${missing}")
  message(FATAL_ERROR "${USER_README} does not mention what README.md documents: ${missing}")
endif()
string(REPLACE ";" " " wanted "${wanted}")
message(STATUS "README.txt mentions all of: ${wanted}")
