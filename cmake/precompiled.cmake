# Precompiled headers. Parsing the Qt headers was about half of every file's
# compile time (all of QtCore for each test, through <QtTest>). The headers of
# cmake/pch/program.h (libraries) and cmake/pch/tests.h (test programs) are
# precompiled once per set of targets that share their compile flags and
# reused by every target of the set. A configure with
# -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON turns them off, e.g. for clang-based
# tools that cannot read gcc's precompiled headers.
# The headers are named through an include folder, not by their full path: the
# generated header that includes them (part of every compile's cache key) is
# then the same in every checkout, so the compiler cache serves all of them.
set(VS_PCH_INCLUDE ${CMAKE_CURRENT_LIST_DIR})

# The compiler cache stores a precompiled header and the files that use it only
# when told that the header's defines and time macros are safe; clang must also
# leave the header's time stamp out of it.
if(NOT CMAKE_DISABLE_PRECOMPILE_HEADERS AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
      CCACHE_SLOPPINESS=pch_defines,time_macros ${CMAKE_CXX_COMPILER_LAUNCHER})
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_compile_options("SHELL:-Xclang -fno-pch-timestamp")
  endif()
endif()

# A name for the compile flags a target gets from what it links: every linked
# target (followed through) that hands its users defines or options. Targets
# with the same name can share one precompiled header.
function(vs_flag_set out)
  set(_seen "")
  set(_named "")
  set(_todo ${ARGN})
  while(_todo)
    list(POP_FRONT _todo _t)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" _t "${_t}")
    if(NOT TARGET "${_t}" OR "${_t}" IN_LIST _seen)
      continue()
    endif()
    list(APPEND _seen "${_t}")
    get_target_property(_real "${_t}" ALIASED_TARGET)
    if(_real)
      list(APPEND _todo "${_real}")
      continue()
    endif()
    get_target_property(_defs "${_t}" INTERFACE_COMPILE_DEFINITIONS)
    get_target_property(_opts "${_t}" INTERFACE_COMPILE_OPTIONS)
    if(_defs OR _opts)
      list(APPEND _named "${_t}")
    endif()
    get_target_property(_libs "${_t}" INTERFACE_LINK_LIBRARIES)
    if(_libs)
      list(APPEND _todo ${_libs})
    endif()
  endwhile()
  list(REMOVE_DUPLICATES _named)
  list(SORT _named)
  string(MD5 _hash "${_named}")
  string(SUBSTRING "${_hash}" 0 10 _hash)
  set(${out} ${_hash} PARENT_SCOPE)
endfunction()

# A library of the program (its compile definitions all public): the first library of a flag set precompiles the
# header, the others reuse it.
function(vs_precompile_library target)
  if(CMAKE_DISABLE_PRECOMPILE_HEADERS)
    return()
  endif()
  vs_flag_set(_set ${target})
  target_include_directories(${target} PRIVATE ${VS_PCH_INCLUDE})
  get_property(_owner GLOBAL PROPERTY VS_PCH_LIB_${_set})
  if(_owner)
    target_precompile_headers(${target} REUSE_FROM ${_owner})
  else()
    target_precompile_headers(${target} PRIVATE <pch/program.h>)
    set_property(GLOBAL PROPERTY VS_PCH_LIB_${_set} ${target})
  endif()
endfunction()

# A test program linked with the given libraries: the header is built by a
# small object library per flag set, linked like the tests, so that a test's
# own extra defines never end up in a header the others share.
function(vs_precompile_test target)
  if(CMAKE_DISABLE_PRECOMPILE_HEADERS)
    return()
  endif()
  vs_flag_set(_set ${ARGN})
  set(_host vs_testpch_${_set})
  if(NOT TARGET ${_host})
    set(_src ${CMAKE_BINARY_DIR}/vs_testpch.cpp)
    if(NOT EXISTS ${_src})
      file(WRITE ${_src} "// builds a precompiled header (cmake/precompiled.cmake)\n")
    endif()
    add_library(${_host} OBJECT ${_src})
    target_link_libraries(${_host} PRIVATE ${ARGN})
    target_include_directories(${_host} PRIVATE ${VS_PCH_INCLUDE})
    target_precompile_headers(${_host} PRIVATE <pch/tests.h>)
  endif()
  target_include_directories(${target} PRIVATE ${VS_PCH_INCLUDE})
  target_precompile_headers(${target} REUSE_FROM ${_host})
endfunction()
