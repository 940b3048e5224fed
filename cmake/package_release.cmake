# Makes Glowmere-<version>-win32.zip: the executable, a user README, the license and
# SHA-256 checksums. Called by the package_release target with -DEXE, -DSOURCE_DIR, -DOUT_DIR, -DVERSION.
set(stage "${OUT_DIR}/Glowmere-${VERSION}-win32")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
file(COPY "${EXE}" DESTINATION "${stage}")
set(PROJECT_VERSION "${VERSION}")
configure_file("${SOURCE_DIR}/docs/USER-README.txt.in" "${stage}/README.txt" @ONLY NEWLINE_STYLE CRLF)
configure_file("${SOURCE_DIR}/LICENSE" "${stage}/LICENSE.txt" COPYONLY)
set(sums "")
foreach(name Glowmere.exe README.txt LICENSE.txt)
  file(SHA256 "${stage}/${name}" hash)
  string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE "${stage}/SHA256SUMS.txt" "${sums}")
# A fixed time stamp and order keep the archive itself reproducible.
set(zip "${OUT_DIR}/Glowmere-${VERSION}-win32.zip")
file(REMOVE "${zip}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${zip}" --format=zip --mtime=2026-01-01
                        Glowmere.exe README.txt LICENSE.txt SHA256SUMS.txt
                WORKING_DIRECTORY "${stage}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not write ${zip}")
endif()
file(SHA256 "${zip}" zip_hash)
file(WRITE "${zip}.sha256" "${zip_hash}  Glowmere-${VERSION}-win32.zip\n")
message(STATUS "Package: ${zip} (sha256 ${zip_hash})")
