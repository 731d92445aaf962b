# Installation into the standard places and the Debian package.
#   cmake --install <build> [--prefix /usr/local]   program, desktop entry, icon
#   cpack --config <build>/CPackConfig.cmake -G DEB  planetarium_<version>_<arch>.deb
include(GNUInstallDirs)

install(TARGETS planetarium RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/planetarium.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/planetarium.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME "planetarium")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "planetarium developers")
set(CPACK_PACKAGE_CONTACT "planetarium developers <planetarium@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop planetarium with a Japanese interface")
set(CPACK_PACKAGE_DESCRIPTION
    "Shows where the Sun, the Moon, Venus, Mars, Jupiter, Saturn and 508 bright stars stand in the
local sky for any date, time and place, looking north, east, south or west, with constellation
figures, the Moon's phase and meteor showers. The window is in Japanese.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "planetarium")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Debian package names of what the program loads at run time. The Qt
# platform plugins (xcb, offscreen) ship in libqt6gui6 on Debian 12; the
# Japanese captions need a font with kana and kanji; the almanac reads the
# places' time zones from the system's zone data (tzdata).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6core6 (>= 6.4), libc6 (>= 2.34), libstdc++6 (>= 11), libgcc-s1 (>= 3.0), fonts-ipafont-gothic, tzdata")
# Qt's own dialogs and buttons in Japanese (English without it).
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-translations-l10n")
# Films (GIF, MP4, WebM) are encoded by the ffmpeg program when it is there;
# everything else works without it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ffmpeg")

include(CPack)
