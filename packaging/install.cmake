# SPDX-License-Identifier: GPL-3.0-or-later
# Install layout and the two Debian packages that cpack builds: morvane-esc-config (the
# window, the command line, desktop entry, icons, AppStream metadata, the udev rule) in the
# component "config", and morvane-esc-sim (the simulator) in "sim", whose program sim/program
# installs.
# Included from src/app once the program target exists.
include(GNUInstallDirs)

set(MORVANE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(MORVANE_DOCS_DIR ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS morvane-esc-config RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT config)
# The command line, from src/cli, which is read before this file.
if(TARGET morvane-esc)
  install(TARGETS morvane-esc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT config)
endif()
install(FILES ${MORVANE_PACKAGING_DIR}/morvane-esc-config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT config)
install(FILES ${MORVANE_PACKAGING_DIR}/invalid.morvane.esc_config.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT config)
# The udev rule for USB serial adapters (access for the user at the seat, ModemManager kept
# off), where packages put theirs: /usr/lib/udev/rules.d; the maintainer scripts reload it.
install(FILES ${MORVANE_PACKAGING_DIR}/60-morvane-esc-config.rules
        DESTINATION lib/udev/rules.d COMPONENT config)

# The shipped presets; the programs also find them in the build tree, where src/app copies
# them to share/ beside the programs' floors.
install(DIRECTORY ${MORVANE_PACKAGING_DIR}/presets/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/morvane-esc-config/presets COMPONENT config
        FILES_MATCHING PATTERN "*.json")

# The window's own pictures at the sizes desktops ask for; the 32 one is also its window icon.
foreach(size 16 22 24 32 48 64 128 256)
  if(size EQUAL 32)
    set(icon ${PROJECT_SOURCE_DIR}/resources/morvane-esc-config.png)
  else()
    set(icon ${PROJECT_SOURCE_DIR}/resources/morvane-esc-config-${size}.png)
  endif()
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME morvane-esc-config.png COMPONENT config)
endforeach()

# Manual pages and the changelog, compressed at build time; each page is checked by man on
# the way, so a page with a mistake fails the build.
find_program(MORVANE_MAN man)
if(NOT MORVANE_MAN)
  message(WARNING "man not found: the manual pages are packed without being checked")
endif()
file(MAKE_DIRECTORY ${MORVANE_DOCS_DIR}/man)
set(morvane_docs)
function(morvane_compressed_doc source output)
  set(check)
  if(source MATCHES "\\.1$" AND MORVANE_MAN)
    set(check -DMAN=${MORVANE_MAN})
  endif()
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DOUTPUT=${output} ${check}
            -P ${MORVANE_PACKAGING_DIR}/compress_doc.cmake
    DEPENDS ${source} ${MORVANE_PACKAGING_DIR}/compress_doc.cmake
    COMMENT "Checking and compressing ${source}"
    VERBATIM)
  set(morvane_docs ${morvane_docs} ${output} PARENT_SCOPE)
endfunction()
morvane_compressed_doc(${MORVANE_PACKAGING_DIR}/changelog ${MORVANE_DOCS_DIR}/changelog.gz)

set(morvane_pages config:morvane-esc-config)
if(TARGET morvane-esc)
  list(APPEND morvane_pages config:morvane-esc)
endif()
if(TARGET morvane-esc-sim)
  list(APPEND morvane_pages sim:morvane-esc-sim)
endif()
foreach(entry ${morvane_pages})
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 component)
  list(GET entry 1 program)
  morvane_compressed_doc(${MORVANE_PACKAGING_DIR}/man/${program}.1
                         ${MORVANE_DOCS_DIR}/man/${program}.1.gz)
  install(FILES ${MORVANE_DOCS_DIR}/man/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT ${component})
endforeach()
add_custom_target(morvane_docs ALL DEPENDS ${morvane_docs})

set(morvane_packages config:morvane-esc-config)
if(TARGET morvane-esc-sim)
  list(APPEND morvane_packages sim:morvane-esc-sim)
endif()
foreach(entry ${morvane_packages})
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 component)
  list(GET entry 1 package)
  install(FILES ${MORVANE_PACKAGING_DIR}/copyright ${MORVANE_DOCS_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL config)
if(TARGET morvane-esc-sim)
  list(APPEND CPACK_COMPONENTS_ALL sim)
endif()
set(CPACK_PACKAGE_NAME morvane-esc-config)
set(CPACK_PACKAGE_VENDOR "Morvane ESC Config")
set(CPACK_PACKAGE_CONTACT "Morvane ESC Config maintainers <maintainers@morvane.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE morvane-esc-config)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_CONFIG_PACKAGE_NAME morvane-esc-config)
# The window needs a display plugin and the fonts its layout was drawn for.
set(CPACK_DEBIAN_CONFIG_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-dejavu-core")
# Qt's own dialogs in the user's language, as the window is.
set(CPACK_DEBIAN_CONFIG_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_CONFIG_PACKAGE_SUGGESTS morvane-esc-sim)
set(CPACK_DEBIAN_CONFIG_PACKAGE_CONTROL_EXTRA
    ${MORVANE_PACKAGING_DIR}/postinst ${MORVANE_PACKAGING_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
string(CONCAT CPACK_DEBIAN_CONFIG_DESCRIPTION
  "configure a brushless-motor speed controller over a serial port\n"
  "Morvane ESC Config reads and changes the five settings of a Morvane speed\n"
  "controller (ESC) for the brushless motor of an electric model aircraft:\n"
  "cutoff voltage, cutoff type, brake, timing advance and rotation direction.\n"
  "A throttle slider runs the motor while its speed is shown, and a motor test\n"
  "window plots, records and sweeps the throttle for a thrust stand.\n"
  "\n"
  "The package also holds morvane-esc, the same from a terminal or a script,\n"
  "which configures several ESCs one after another from a settings file.")

set(CPACK_DEBIAN_SIM_PACKAGE_NAME morvane-esc-sim)
string(CONCAT CPACK_DEBIAN_SIM_DESCRIPTION
  "simulated brushless-motor speed controller on a pseudo-terminal\n"
  "morvane-esc-sim plays a Morvane speed controller (ESC) on a pseudo-terminal,\n"
  "so that morvane-esc-config and morvane-esc can be tried and tested without\n"
  "hardware. It simulates the motor's speed, and on request the faults of a\n"
  "real line: echo, latency, split and lost replies, stray bytes, silence.")
include(CPack)
