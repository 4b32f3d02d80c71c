# The Windows installer ${CMAKE_BINARY_DIR}/dralun-1.0-setup.exe, made with
# NSIS: cmake --build <folder> --target windows-installer.
#
# The script packaging/windows/dralun.nsi.in names the fixed files; the
# files in bin/fonts/ and the data medium are listed when the target is
# built, by this same file run as a script (cmake -P), so that the installer
# and its uninstaller name exactly the files that are there: the uninstaller
# deletes those and nothing else.

if(CMAKE_SCRIPT_MODE_FILE)
  # cmake -DBIN=... -DMEDIUM=... -DHELP=... -DOUT=... -P WindowsInstaller.cmake
  # The fonts with their licence, whatever the build put beside them.
  file(GLOB fonts RELATIVE "${BIN}/fonts" "${BIN}/fonts/*")
  file(GLOB medium RELATIVE "${MEDIUM}" "${MEDIUM}/*")
  # The help pages of the forms, into help\ beside the programs.
  file(GLOB help RELATIVE "${HELP}" "${HELP}/*.txt")
  list(SORT help)
  list(SORT fonts)
  list(SORT medium)
  if(NOT fonts MATCHES "\\.ttf")
    message(FATAL_ERROR "windows-installer: keine Schriften in ${BIN}/fonts")
  endif()
  list(LENGTH medium count)
  if(NOT count EQUAL 36)
    message(FATAL_ERROR "windows-installer: ${count} statt 36 Datendateien in ${MEDIUM}")
  endif()
  set(text "; Made by cmake/WindowsInstaller.cmake for dralun.nsi.\n")
  foreach(pair "Fonts;fonts;${BIN}/fonts" "Medium;Dralun;${MEDIUM}" "Help;help;${HELP}")
    list(GET pair 0 macro)
    list(GET pair 1 folder)
    list(GET pair 2 from)
    string(TOLOWER "${macro}" var)
    string(APPEND text "!macro DralunInstall${macro}\n")
    foreach(name IN LISTS ${var})
      string(APPEND text "  File \"${from}/${name}\"\n")
    endforeach()
    string(APPEND text "!macroend\n!macro DralunDelete${macro}\n")
    foreach(name IN LISTS ${var})
      string(APPEND text "  Delete \"$INSTDIR\\${folder}\\${name}\"\n")
    endforeach()
    string(APPEND text "!macroend\n")
  endforeach()
  file(WRITE "${OUT}" "${text}")
  return()
endif()

set(DRALUN_NSIS_BIN "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
set(DRALUN_NSIS_OUTFILE "${CMAKE_BINARY_DIR}/dralun-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}-setup.exe")
set(DRALUN_NSIS_ICON "${PROJECT_SOURCE_DIR}/packaging/icons/dralun.ico")
set(DRALUN_NSIS_FILES "${CMAKE_BINARY_DIR}/packaging/dralun-files.nsh")
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/dralun.nsi.in
               ${CMAKE_BINARY_DIR}/packaging/dralun.nsi @ONLY)

find_program(MAKENSIS makensis NO_CMAKE_FIND_ROOT_PATH)
if(MAKENSIS)
  add_custom_target(windows-installer
    COMMAND ${CMAKE_COMMAND} -DBIN=${DRALUN_NSIS_BIN} -DMEDIUM=${PROJECT_SOURCE_DIR}/medium/Dralun
            -DHELP=${PROJECT_SOURCE_DIR}/help -DOUT=${DRALUN_NSIS_FILES} -P ${CMAKE_CURRENT_LIST_FILE}
    # Quiet, and any warning stops the build.
    COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 ${CMAKE_BINARY_DIR}/packaging/dralun.nsi
    BYPRODUCTS ${DRALUN_NSIS_OUTFILE} ${DRALUN_NSIS_FILES}
    COMMENT "Windows-Installer ${DRALUN_NSIS_OUTFILE}"
    VERBATIM)
else()
  message(STATUS "makensis nicht gefunden: das Ziel windows-installer bricht ab (Debian: Paket nsis)")
  add_custom_target(windows-installer
    COMMAND ${CMAKE_COMMAND} -E echo "windows-installer: makensis nicht gefunden (Debian: Paket nsis, siehe tools/setup.sh)"
    COMMAND ${CMAKE_COMMAND} -E false
    VERBATIM)
endif()
add_dependencies(windows-installer dralun dralun-calc dralun-report dralun-install)
