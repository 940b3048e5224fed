# Build steps of the language archive that Glowmere.exe carries.
#
# The archive is archive.txt (UTF-8) turned by the host tool make_archive into
# UTF-16LE with CR LF line ends, compressed with LZARI behind its 4-byte length and
# framed by the two marker lines, with 16 spaces of filler before the end marker. The
# executable embeds the file as the custom resource AAAA_UNICODE.TMP of type PNG; the
# loader finds it by its markers.

set(GLOWMERE_ARCHIVE_SOURCE ${CMAKE_CURRENT_LIST_DIR}/archive.txt)
set(GLOWMERE_TEXT_NAMES ${CMAKE_CURRENT_LIST_DIR}/text_names.txt)

# Path of make_archive: the target of a native build, else the tool in HOST_BIN_DIR.
function(_glowmere_make_archive_command HOST_BIN_DIR OUT_VAR)
  if(TARGET make_archive)
    set(${OUT_VAR} $<TARGET_FILE:make_archive> PARENT_SCOPE)
  else()
    set(${OUT_VAR} ${HOST_BIN_DIR}/make_archive${CMAKE_HOST_EXECUTABLE_SUFFIX} PARENT_SCOPE)
  endif()
endfunction()

# glowmere_add_language_archive(<host bin dir> <output .bin>)
# Generates <output> from archive.txt and adds the target glowmere_language_archive.
function(glowmere_add_language_archive HOST_BIN_DIR OUTPUT)
  _glowmere_make_archive_command("${HOST_BIN_DIR}" tool)
  set(depends ${GLOWMERE_ARCHIVE_SOURCE})
  if(TARGET make_archive)
    list(APPEND depends make_archive)
  elseif(TARGET host_tools)
    # The tool's file too, so that a changed tool builds the archive again.
    list(APPEND depends host_tools ${tool})
  endif()
  get_filename_component(dir ${OUTPUT} DIRECTORY)
  add_custom_command(
    OUTPUT ${OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${tool} build ${GLOWMERE_ARCHIVE_SOURCE} ${OUTPUT}
    DEPENDS ${depends}
    COMMENT "Building the language archive"
    VERBATIM)
  add_custom_target(glowmere_language_archive ALL DEPENDS ${OUTPUT})
endfunction()

# glowmere_add_text_ids(<host bin dir> <output .h> <version>)
# Generates <output>, the named text ids of text_names.txt, and adds the target
# glowmere_text_ids; fails the build when the names and archive.txt disagree or the
# caption (common text 19) does not carry <version>.
function(glowmere_add_text_ids HOST_BIN_DIR OUTPUT VERSION)
  _glowmere_make_archive_command("${HOST_BIN_DIR}" tool)
  set(depends ${GLOWMERE_ARCHIVE_SOURCE} ${GLOWMERE_TEXT_NAMES})
  if(TARGET make_archive)
    list(APPEND depends make_archive)
  elseif(TARGET host_tools)
    list(APPEND depends host_tools)
  endif()
  add_custom_command(
    OUTPUT ${OUTPUT}
    COMMAND ${tool} header ${GLOWMERE_ARCHIVE_SOURCE} ${GLOWMERE_TEXT_NAMES} ${VERSION} ${OUTPUT}
    DEPENDS ${depends}
    COMMENT "Checking the text names and the caption's version"
    VERBATIM)
  add_custom_target(glowmere_text_ids ALL DEPENDS ${OUTPUT})
endfunction()

# glowmere_embed_language_archive(<exe target> <rc file> <archive .bin> <host bin dir>)
# Rebuilds the resources when the archive changes, lets windres find the archive by its
# file name, and checks after each link that the executable holds each marker once.
function(glowmere_embed_language_archive TARGET RC_FILE ARCHIVE HOST_BIN_DIR)
  _glowmere_make_archive_command("${HOST_BIN_DIR}" tool)
  get_filename_component(dir ${ARCHIVE} DIRECTORY)
  set_property(SOURCE ${RC_FILE} APPEND PROPERTY OBJECT_DEPENDS ${ARCHIVE})
  set_property(SOURCE ${RC_FILE} APPEND PROPERTY INCLUDE_DIRECTORIES ${dir})
  add_dependencies(${TARGET} glowmere_language_archive)
  add_custom_command(TARGET ${TARGET} POST_BUILD
    COMMAND ${tool} check-exe $<TARGET_FILE:${TARGET}>
    COMMENT "Checking the language archive markers in ${TARGET}"
    VERBATIM)
endfunction()
