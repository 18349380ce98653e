# Installation and the Debian package. `cmake --install` puts the programs in bin/ and, with the GUI,
# the menu entry, the icons and the software-centre data under share/; `cpack -G DEB` wraps the same
# tree into a package whose library dependencies are read from the binaries by dpkg-shlibdeps.
include(GNUInstallDirs)

if(TARGET corvane-chords)
    install(TARGETS corvane-chords RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET corvane-cli)
    install(TARGETS corvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(CORVANE_GUI)
    add_subdirectory(${PROJECT_SOURCE_DIR}/packaging ${PROJECT_BINARY_DIR}/packaging)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane-chords)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_CONTACT "Corvane Chords developers <chords@corvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "guitar chord dictionary")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds every playable fingering of a chord on a six-string guitar in the
current tuning, draws the fingerings as chord diagrams, lists every name the
chord can be read under, and strums the chosen fingering on a software
synthesizer. Includes corvane-cli, the same chord engine on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://corvane.org/chords")
# Depends comes from the binaries' shared libraries. The soundfont is data, which dpkg-shlibdeps
# cannot see: without one the program runs silent, so it is recommended rather than required. Qt
# finds its Wayland plugin only when that is installed, and falls back to X11 otherwise.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm, qt6-wayland")

include(CPack)
