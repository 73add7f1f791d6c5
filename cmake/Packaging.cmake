# Installation and the Debian package. Included last from the top CMakeLists.

include(GNUInstallDirs)

# The launcher's file name, the icon's and the metainfo's id must agree.
set(NVR_APP_ID org.example.NvrCalculator)

install(TARGETS nvr-calculator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/${NVR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${NVR_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(packaging/${NVR_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${NVR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${NVR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The plan files' type, so file managers open them with the calculator.
install(FILES packaging/${NVR_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${NVR_APP_ID}.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nvr-calculator)
set(CPACK_PACKAGE_VENDOR "NVR Recording calculator maintainers")
set(CPACK_PACKAGE_CONTACT "NVR Recording calculator maintainers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "${PROJECT_DESCRIPTION}\n"
    " Per camera channel, up to 16, the installer picks recording mode,\n"
    " resolution, frame rate and picture quality, or types a bitrate, and reads\n"
    " each channel's bitrate and daily storage, the daily total, the disk needed\n"
    " to keep a number of days and how long an installed disk lasts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# The libraries from the binary itself; the fonts because the form's captions
# only fit in Arial's metrics.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_STRIP_FILES ON)
include(CPack)
