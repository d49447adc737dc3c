# The Windows version resource (VERSIONINFO) of an executable, generated from the version
# strings of version.cmake and compiled by the resource compiler, so the Windows build
# reads the same strings back with GetFileVersionInfoW that the POSIX build embeds.

# RC string literals double their quote characters.
function(zentrel_rc_escape out text)
  string(REPLACE "\"" "\"\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# zentrel_version_resource(<target> <file name>): adds the generated resource to target;
# the file name is its "OriginalFilename". The keys are those of the POSIX version section.
function(zentrel_version_resource target fileName)
  string(REPLACE "." ";" parts "${ZENTREL_FILE_VERSION}")
  list(LENGTH parts count)
  while(count LESS 4)
    list(APPEND parts 0)
    math(EXPR count "${count} + 1")
  endwhile()
  list(SUBLIST parts 0 4 parts)
  string(REPLACE ";" "," RC_VERSION_NUMBERS "${parts}")

  foreach(pair
          "RC_PRODUCT_NAME;${ZENTREL_PRODUCT_NAME}"
          "RC_FILE_DESCRIPTION;${ZENTREL_FILE_DESCRIPTION}"
          "RC_FILE_VERSION;${ZENTREL_FILE_VERSION}"
          "RC_PRODUCT_VERSION;${ZENTREL_PRODUCT_VERSION}"
          "RC_LEGAL_COPYRIGHT;${ZENTREL_LEGAL_COPYRIGHT}"
          "RC_COMMENTS;${ZENTREL_COMMENTS}"
          "RC_INTERNAL_NAME;${ZENTREL_EXECUTABLE_NAME}"
          "RC_ORIGINAL_FILENAME;${fileName}")
    list(GET pair 0 name)
    list(SUBLIST pair 1 -1 value)
    list(JOIN value ";" value)  # a value holding ";" was split by the pair list
    zentrel_rc_escape(value "${value}")
    set(${name} "${value}")
  endforeach()

  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
