# Where an installation keeps its parts (GNUInstallDirs), and the same places
# as seen from the installed executables: the RPATH and the program's
# fallbacks use those, so an installed tree works wherever it is moved.
include(GNUInstallDirs)

# DOCDIR would be named after the project, "Tessella"; the package's folder
# is lower case.
set(TESSELLA_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/tessella")
set(TESSELLA_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/tessella")
set(TESSELLA_INSTALL_PLUGINDIR "${CMAKE_INSTALL_LIBDIR}/tessella/plugins")

# tessella_from_bindir(<var> <dir>): <dir> relative to the executables'
# folder; absolute when either folder was given absolute.
function(tessella_from_bindir var dir)
  if(IS_ABSOLUTE "${dir}")
    set(${var} "${dir}" PARENT_SCOPE)
  elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    set(${var} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  else()
    file(RELATIVE_PATH rel "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${dir}")
    set(${var} "${rel}" PARENT_SCOPE)
  endif()
endfunction()

tessella_from_bindir(TESSELLA_LIBDIR_FROM_BIN "${CMAKE_INSTALL_LIBDIR}")
tessella_from_bindir(TESSELLA_DATADIR_FROM_BIN "${TESSELLA_INSTALL_DATADIR}")
tessella_from_bindir(TESSELLA_DOCDIR_FROM_BIN "${TESSELLA_INSTALL_DOCDIR}")
tessella_from_bindir(TESSELLA_PLUGINDIR_FROM_BIN "${TESSELLA_INSTALL_PLUGINDIR}")

# Installed executables find libnubux beside them in LIBDIR; under /usr the
# standard library folder would find it as well.
if(IS_ABSOLUTE "${TESSELLA_LIBDIR_FROM_BIN}")
  set(TESSELLA_INSTALL_RPATH "${TESSELLA_LIBDIR_FROM_BIN}")
else()
  set(TESSELLA_INSTALL_RPATH "$ORIGIN/${TESSELLA_LIBDIR_FROM_BIN}")
endif()
