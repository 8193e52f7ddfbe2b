# The Debian package of the normal build: cmake --build build --target package writes
# build/payvo_<version>_<arch>.deb. Its dependencies come from dpkg-shlibdeps, plus the Qt
# platform plugins, which no library links and without which no window opens.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME payvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Payvo team")
set(CPACK_PACKAGE_CONTACT "The Payvo team <team@payvo.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://payvo.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "salaries and a salary cap for simulated football leagues
Payvo gives the players of a simulated football league their salaries and
keeps each team's payroll under a salary cap. It reads the league file the
game exports, computes every player's salary from his eight ratings and the
weights of his position, shows any team's players and payroll, and writes a
roster report and a salary summary as web pages for the league's site.
.
The package holds the desktop program payvo, payvo-cli for scripts, a demo
league, the default settings and the user guide.")
include(CPack)
