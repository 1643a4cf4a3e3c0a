# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers

# A Debian package of the install tree: `make package` builds it from a Release build
# installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hangardeck)
set(CPACK_PACKAGE_VENDOR "HANGARDECK developers")
set(CPACK_PACKAGE_CONTACT "HANGARDECK developers <maintainers@hangardeck.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue of a flight simulator's add-on aircraft")
# One string: separate arguments would become a list joined by semicolons.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "HANGARDECK lists the add-on aircraft of a Flight Simulator 2004 Aircraft directory: it reads\n"
    "every aircraft.cfg and shows one formatted, sorted row per aircraft variation, with the\n"
    "details, description and pictures of the selected one. hangardeck-cli gives the same list,\n"
    "the details, a check of the collection and a search for Aircraft directories to scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${HANGARDECK_WEB_ADDRESS})
# dpkg-shlibdeps names the Qt and C++ libraries exactly as Debian packages them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not show: Qt loads the X11 platform plugin at run time, and a bare
# system has no font, so the window would draw no text.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
# Where the desktop offers no opener of its own, Qt opens pictures, aircraft.cfg, the saved list
# and the web page with xdg-open; without it they stay closed, the catalogue itself works.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
