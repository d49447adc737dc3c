# The version strings of the executable and the build-time constants. string(TIMESTAMP)
# honours SOURCE_DATE_EPOCH, so a build with it set is reproducible.
# The one version source is project(VERSION) in the top-level CMakeLists.txt; the
# executable's version strings and the packages take it from there.
set(ZENTREL_FILE_VERSION "${PROJECT_VERSION}")
set(ZENTREL_PRODUCT_VERSION "${PROJECT_VERSION}")
set(ZENTREL_PRODUCT_NAME "Zentrel")
set(ZENTREL_EXECUTABLE_NAME "zentrel")
set(ZENTREL_FILE_DESCRIPTION "Date, Time and Duration Calculator for Scripts")
set(ZENTREL_LEGAL_COPYRIGHT "(c) 2026 The Zentrel Developers")
set(ZENTREL_COMMENTS "Computes dates, times and durations and reports system facts for shell and batch scripts.")
string(TIMESTAMP ZENTREL_BUILD_DATE "%Y/%m/%d" UTC)
string(TIMESTAMP ZENTREL_BUILD_DATE_TIME "%Y/%m/%d %H:%M:%S" UTC)
set(ZENTREL_TOOLCHAIN "${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION}")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ZENTREL_ARCH_TEXT " x64")
else()
  set(ZENTREL_ARCH_TEXT " x86")
endif()

# The version strings as key/value pairs for the generated version section: every piece a
# C string literal of its own, so a "\0" between them never runs into the next character.
set(ZENTREL_VERSION_PAIRS "")
foreach(pair
    "FileVersion;ZENTREL_FILE_VERSION"
    "ProductVersion;ZENTREL_PRODUCT_VERSION"
    "ProductName;ZENTREL_PRODUCT_NAME"
    "InternalName;ZENTREL_EXECUTABLE_NAME"
    "OriginalFilename;ZENTREL_EXECUTABLE_NAME"
    "FileDescription;ZENTREL_FILE_DESCRIPTION"
    "LegalCopyright;ZENTREL_LEGAL_COPYRIGHT"
    "Comments;ZENTREL_COMMENTS")
  list(GET pair 0 key)
  list(GET pair 1 variable)
  set(value "${${variable}}")
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  string(APPEND ZENTREL_VERSION_PAIRS "    \"${key}\" \"\\0\" \"${value}\" \"\\0\"\n")
endforeach()
