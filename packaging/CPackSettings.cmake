# The Debian package: cartovia_<version>_<arch>.deb, laid out by the install prefix and folders
# scripts/package configures (/usr, the program in /usr/games as Debian places games). Run-time
# dependencies come from dpkg-shlibdeps, so they name the Qt 6 and libsndfile libraries the
# program really links and never a development package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cartovia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Cartovia developers")
set(CPACK_PACKAGE_CONTACT "The Cartovia developers <cartovia@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Italian card games against the computer")
set(CPACK_PACKAGE_DESCRIPTION "Cartovia is a collection of four traditional Italian card games\n\
played with the 40-card Italian deck against the computer: Scopa,\n\
Briscola, Rubamazzo and Sette e mezzo. It offers six deck styles,\n\
23 card backs and a ranking of the players of each game.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CARTOVIA_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's X11 platform comes with its GUI library; Wayland sessions want qt6-wayland (without it
# the program runs through XWayland). The labels are set in the DejaVu fonts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
