# tavo_version_block(<target> <resource folder>)
#
# Gives <target> its version block: the strings of <resource folder>/
# version.txt ("Key=Value" lines, '#' starts a comment; the file is UTF-8
# and its texts end up Windows-1252 like every literal) compiled into the
# program as a marked byte array that GetFileVersionInfo finds in the file.
# FileVersion and ProductVersion default to the project version; "@VERSION@"
# in a value is replaced by it and "@NUMBER@" by the version number (10413);
# a value cannot hold ';' (CMake lists). The
# language is Danish (0x0406) with code page 0x04b0, as the programs query
# it.
include_guard(GLOBAL)

# Appends "key" "\0" "value" "\0" to the C++ text in <var>; each text is a
# literal of its own, so that no escape runs into the next one.
function(_tavo_version_pair var key value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${var} "${${var}}    \"${key}\" \"\\0\" \"${value}\" \"\\0\"\n" PARENT_SCOPE)
endfunction()

function(tavo_version_block target folder)
  if(NOT IS_ABSOLUTE "${folder}")
    set(folder "${CMAKE_CURRENT_SOURCE_DIR}/${folder}")
  endif()
  set(source "${folder}/version.txt")
  if(NOT EXISTS "${source}")
    message(FATAL_ERROR "tavo_version_block: ${source} does not exist")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")

  set(version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
  file(STRINGS "${source}" lines ENCODING UTF-8)
  set(body "")
  set(have_file_version FALSE)
  set(have_product_version FALSE)
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([A-Za-z]+)[ \t]*=[ \t]*(.*)$")
      message(FATAL_ERROR "${source}: not a Key=Value line: ${line}")
    endif()
    set(key "${CMAKE_MATCH_1}")
    set(value "${CMAKE_MATCH_2}")
    string(REPLACE "@VERSION@" "${version}" value "${value}")
    string(REPLACE "@NUMBER@" "${TAVO_VERSION_NUMBER}" value "${value}")
    if(key STREQUAL "FileVersion")
      set(have_file_version TRUE)
    elseif(key STREQUAL "ProductVersion")
      set(have_product_version TRUE)
    endif()
    _tavo_version_pair(body "${key}" "${value}")
  endforeach()
  if(NOT have_file_version)
    _tavo_version_pair(body FileVersion "${version}")
  endif()
  if(NOT have_product_version)
    _tavo_version_pair(body ProductVersion "${version}")
  endif()

  set(numbers "")
  foreach(n ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH} 0)
    math(EXPR lo "${n} % 256" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR hi "${n} / 256" OUTPUT_FORMAT HEXADECIMAL)
    string(REPLACE "0x" "" lo "${lo}")
    string(REPLACE "0x" "" hi "${hi}")
    string(APPEND numbers "\"\\x${lo}\" \"\\x${hi}\" ")
  endforeach()

  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_version_block.cpp")
  set(text "// Made by tavo_version_block() from ${source}; do not edit.\n")
  string(APPEND text "// Marker, translation 0x0406/0x04b0, file version, Key\\0Value\\0 pairs, end.\n")
  string(APPEND text "__attribute__((used)) static const char tavo_version_block[] =\n")
  string(APPEND text "    \"\\x7f\" \"TaVo-VeR-BlOcK\" \"\\xa5\"\n")
  string(APPEND text "    \"\\x06\" \"\\x04\" \"\\xb0\" \"\\x04\"\n")
  string(APPEND text "    ${numbers}\n")
  string(APPEND text "${body}")
  string(APPEND text "    \"\";\n")
  # Written only when it changes, so that a new configure rebuilds nothing.
  set(old "")
  if(EXISTS "${out}")
    file(READ "${out}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${out}" "${text}")
  endif()
  target_sources(${target} PRIVATE "${out}")
endfunction()
