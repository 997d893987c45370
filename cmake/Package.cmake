# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package that scripts/package.sh makes with CPack: everything the
# install rules install, its library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zerizedozi)
set(CPACK_PACKAGE_VENDOR Tarvalind)
# The maintainers, as the project's history names them.
set(CPACK_PACKAGE_CONTACT "Zerizedozi maintainers <maintainers@users.noreply.c-seed-3a658b9d.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.tarvalind.ee/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendar of birthdays, red-letter days and name days")
set(CPACK_PACKAGE_DESCRIPTION
"Zerizedozi keeps the yearly dates of your life in one list: birthdays,
red-letter days, name days and other dates that come back every year. It
shows each person's age, sorts and filters the list by any column and prints
it. The command line companion zerizedozi-cli lists the coming dates, exports
the list to iCalendar and CSV and imports birthdays from vCard contacts.

Zerizedozi (tähtpäevade kalender) hoiab sünnipäevad, tähtpäevad, nimepäevad
ja muud iga-aastased kuupäevad ühes nimekirjas, näitab vanust, sorteerib,
filtreerib ja trükib nimekirja. Käsureaprogramm zerizedozi-cli näitab
eelseisvaid tähtpäevi ning ekspordib ja impordib nimekirja.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Lets the window run natively on Wayland desktops; X11 needs nothing more.
# `zerizedozi-cli sync` talks to the server through vdirsyncer and keeps the
# password in the keyring with secret-tool.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, vdirsyncer, libsecret-tools")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# The reminder's autostart entry lives in /etc: an administrator's change to
# it survives upgrades.
file(WRITE ${CMAKE_BINARY_DIR}/conffiles "/etc/xdg/autostart/ee.tarvalind.Zerizedozi.Reminder.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/conffiles)
include(CPack)

# Debian wants a package's licence, in its machine-readable form, and its
# history beside its documentation.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zerizedozi)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in changelog @ONLY)
add_custom_command(OUTPUT changelog.gz
  COMMAND gzip -9nc changelog > changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/changelog)
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zerizedozi)
