# The Debian package, made by CPack from the install rules (scripts/package.sh builds and runs it).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelvar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Pelvar")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "slide presentations and quizzes for teachers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Pelvar plays presentations: ordered slide lists of pictures, title pages, texts, web pages,\n"
    "videos, other lists and programs to start, with notes, timings and audio tracks, in manual,\n"
    "timed, looped, random and memorisation orders. Slides may ask questions; in learning and\n"
    "exam modes the answers are scored and each user's results written. It edits slide lists\n"
    "and tables of words or pictures and sounds with their meanings, and generates quizzes from\n"
    "them. Its interface is in Catalan.")
set(PELVAR_PACKAGE_MAINTAINER "Pelvar maintainers <maintainers@pelvar.invalid>" CACHE STRING
    "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PELVAR_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# pelvar_<version>_<arch>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# The libraries the program and the plug-ins link are found by dpkg-shlibdeps; what they load at
# run time it cannot see:
# - the SQLite driver of Qt SQL, through which Qt Help reads the help collection;
# - Qt SVG's icon engine, which draws the window's icon and the file types' icons;
# - GStreamer's elements behind Qt Multimedia (without the base set it crashes on playback; the
#   good set reads AVI, QuickTime and WAV and plays to the sound server; libav decodes the
#   videos' codecs);
# - Qt WebEngine's helper process, without which web slides fall back to a plain text view.
set(PELVAR_RUNTIME_DEPENDS
    libqt6sql6-sqlite libqt6svg6
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav)
if(PELVAR_HAVE_WEBENGINE)
    list(APPEND PELVAR_RUNTIME_DEPENDS libqt6webenginecore6-bin)
endif()
list(JOIN PELVAR_RUNTIME_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# Expected on a desktop, not needed to start: MIDI and other tracks (bad, ugly), opening a slide's
# document in the desktop's program (xdg-utils), running on a Wayland desktop without XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-bad, gstreamer1.0-plugins-ugly, xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The plug-ins under lib/ make CPack add maintainer scripts that run ldconfig; they are harmless
# (the plug-ins are loaded by path, not through the linker's cache). The desktop's databases need
# no scripts: shared-mime-info, desktop-file-utils and hicolor-icon-theme have dpkg triggers on
# the folders the package fills.

include(CPack)
