# Install layout and the .deb package. Included from src/app once the program target exists;
# morvane-esc-sim installs itself from sim/program.
include(GNUInstallDirs)

install(TARGETS morvane-esc-config RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command line, from src/cli, which is read before this file.
if(TARGET morvane-esc)
  install(TARGETS morvane-esc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/morvane-esc-config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The window's own pictures, at the sizes present.
foreach(size 32 256)
  if(size EQUAL 32)
    set(icon ${PROJECT_SOURCE_DIR}/resources/morvane-esc-config.png)
  else()
    set(icon ${PROJECT_SOURCE_DIR}/resources/morvane-esc-config-${size}.png)
  endif()
  if(EXISTS ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME morvane-esc-config.png)
  endif()
endforeach()

set(CPACK_PACKAGE_NAME morvane-esc-config)
set(CPACK_PACKAGE_VENDOR "Morvane ESC Config")
set(CPACK_PACKAGE_CONTACT "Morvane ESC Config maintainers <maintainers@morvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configure a Morvane brushless-motor ESC over a serial port")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A desktop tool that reads and changes the five settings of a Morvane ESC and runs its motor\n"
  "from a throttle slider. Includes morvane-esc-sim, a simulated ESC on a pseudo-terminal.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a display plugin and the fonts its layout was drawn for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-dejavu-core")
include(CPack)
