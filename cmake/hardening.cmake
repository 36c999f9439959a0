# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers

# Debian's hardening for optimised builds (Release, RelWithDebInfo, MinSizeRel):
# _FORTIFY_SOURCE, the stack protector, format-string errors, read-only
# relocations and immediate binding, taken from dpkg-buildflags with every
# hardening feature on, as a Debian package of ポムル is built. Optimisation
# and debug information stay with the build type, so -O and -g are dropped, and
# so is the source path mapping, which would only hide the sources from the
# debugger of a developer's build.
# Debug builds go without: _FORTIFY_SOURCE needs the optimiser. The sanitizer
# and fuzzing presets switch it off to keep their instrumentation alone.
option(POMURU_HARDENING "Build optimised configurations with Debian's hardening flags" ON)

if(POMURU_HARDENING)
  find_program(POMURU_DPKG_BUILDFLAGS dpkg-buildflags)
  if(POMURU_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${POMURU_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE pomuru_flags
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
      separate_arguments(pomuru_hardening_${kind} UNIX_COMMAND "${pomuru_flags}")
    endforeach()
    list(FILTER pomuru_hardening_CXXFLAGS EXCLUDE REGEX "^-(O.*|g.*|ffile-prefix-map=.*)$")
  else()
    # What dpkg-buildflags gives on Debian 12 (dpkg-dev is not installed).
    set(pomuru_hardening_CPPFLAGS -Wdate-time -D_FORTIFY_SOURCE=2)
    set(pomuru_hardening_CXXFLAGS -fstack-protector-strong -Wformat -Werror=format-security)
    set(pomuru_hardening_LDFLAGS -Wl,-z,relro -Wl,-z,now)
  endif()
  list(JOIN pomuru_hardening_CPPFLAGS " " pomuru_flags)
  list(JOIN pomuru_hardening_CXXFLAGS " " pomuru_cxxflags)
  list(JOIN pomuru_hardening_LDFLAGS " " pomuru_ldflags)
  message(STATUS "Hardening of optimised builds: ${pomuru_flags} ${pomuru_cxxflags} ${pomuru_ldflags}")

  set(pomuru_optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  foreach(flag IN LISTS pomuru_hardening_CPPFLAGS pomuru_hardening_CXXFLAGS)
    add_compile_options($<${pomuru_optimised}:${flag}>)
  endforeach()
  foreach(flag IN LISTS pomuru_hardening_LDFLAGS)
    add_link_options($<${pomuru_optimised}:${flag}>)
  endforeach()
endif()
