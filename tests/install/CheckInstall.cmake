# cmake -DBUILD_DIR=... -DROOT=... -DVENDOR_ID=0x2F1A [-DMAN=/usr/bin/man] -P CheckInstall.cmake
file(REMOVE_RECURSE "${ROOT}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${ROOT}
          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  OUTPUT_QUIET RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  usr/bin/kelvara-lens-cli
  usr/bin/kelvara-lens-sim
  usr/bin/kelvara-lens-utility
  usr/lib/udev/rules.d/70-kelvara-lens-dock.rules
  usr/share/applications/com.kelvara.LensUtility.desktop
  usr/share/bash-completion/completions/kelvara-lens-cli
  usr/share/icons/hicolor/scalable/apps/com.kelvara.LensUtility-symbolic.svg
  usr/share/icons/hicolor/scalable/apps/com.kelvara.LensUtility.svg
  usr/share/man/man1/kelvara-lens-cli.1
  usr/share/man/man1/kelvara-lens-sim.1
  usr/share/man/man1/kelvara-lens-utility.1
  usr/share/metainfo/com.kelvara.LensUtility.metainfo.xml)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${ROOT}" "${ROOT}/*")
list(SORT installed)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " installed "${installed}")
  message(FATAL_ERROR "installed files differ; got:\n  ${installed}")
endif()

# The rule gives the seat's user both product ids of the vendor and keeps ModemManager
# away; a world-writable node would give every local account the lens.
file(READ "${ROOT}/usr/lib/udev/rules.d/70-kelvara-lens-dock.rules" rule)
string(TOLOWER "${VENDOR_ID}" vid)
string(REGEX REPLACE "^0x" "" vid "${vid}")
foreach(product IN ITEMS 0002 0005)
  if(NOT rule MATCHES "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0*${vid}\", ATTRS{idProduct}==\"${product}\", TAG\\+=\"uaccess\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"")
    message(FATAL_ERROR "no uaccess line for product ${product}:\n${rule}")
  endif()
endforeach()
if(rule MATCHES "MODE=\"0?666\"" OR rule MATCHES "GROUP=")
  message(FATAL_ERROR "the rule widens the port's permissions:\n${rule}")
endif()

# Every manual page renders without complaint.
if(NOT MAN)
  message(STATUS "man is not installed: pages not rendered")
  return()
endif()
file(GLOB pages "${ROOT}/usr/share/man/man1/*.1")
foreach(page IN LISTS pages)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 ${MAN} --warnings -l ${page}
                  OUTPUT_VARIABLE text ERROR_VARIABLE warnings RESULT_VARIABLE result)
  if(result OR NOT warnings STREQUAL "" OR NOT text MATCHES "SYNOPSIS|USAGE|DESCRIPTION")
    message(FATAL_ERROR "${page} does not render (${result}):\n${warnings}")
  endif()
endforeach()
