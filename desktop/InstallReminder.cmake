# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the reminder's autostart entry; run by `cmake --install`, when the
# prefix is known (`--prefix`, the package's /usr). Desktops read autostart
# entries from /etc/xdg/autostart: the configuration folder that
# GNUInstallDirs gives the /usr prefix, and PREFIX/etc for any other. The
# entry runs zerizedozi-cli by its installed path, so that it needs no PATH,
# and is passed over (TryExec) once the program is gone.
# Given: zerizedozi_bindir and zerizedozi_sysconfdir as GNUInstallDirs has
# them, zerizedozi_reminder_template and zerizedozi_reminder_entry (the
# entry's file in the build folder).

function(under_prefix folder result)
  if(IS_ABSOLUTE "${folder}")
    set(${result} "${folder}" PARENT_SCOPE)
  elseif(CMAKE_INSTALL_PREFIX STREQUAL "/")
    set(${result} "/${folder}" PARENT_SCOPE)
  else()
    set(${result} "${CMAKE_INSTALL_PREFIX}/${folder}" PARENT_SCOPE)
  endif()
endfunction()

under_prefix("${zerizedozi_bindir}" bindir)
set(reminder_program "${bindir}/zerizedozi-cli")
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" AND NOT IS_ABSOLUTE "${zerizedozi_sysconfdir}")
  set(sysconfdir "/${zerizedozi_sysconfdir}")
else()
  under_prefix("${zerizedozi_sysconfdir}" sysconfdir)
endif()

configure_file("${zerizedozi_reminder_template}" "${zerizedozi_reminder_entry}" @ONLY)
file(INSTALL DESTINATION "${sysconfdir}/xdg/autostart" TYPE FILE FILES "${zerizedozi_reminder_entry}")
