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

# The licence and the release history where Debian keeps them; gzip -n, so
# the package's bytes do not depend on when it was built.
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
set(NVR_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${NVR_CHANGELOG}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog changelog
    COMMAND gzip -9nf changelog
    DEPENDS packaging/changelog
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    VERBATIM)
add_custom_target(nvr-changelog ALL DEPENDS ${NVR_CHANGELOG})
install(FILES ${NVR_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The manual page, from the program's own --help and --version (which need no
# display) and the sections they cannot tell.
find_program(HELP2MAN help2man)
if(HELP2MAN)
    set(NVR_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/nvr-calculator.1.gz)
    add_custom_command(OUTPUT ${NVR_MAN_PAGE}
        COMMAND ${HELP2MAN} --no-info --section=1
                "--name=plan the disk space a network video recorder needs"
                --include=${CMAKE_CURRENT_SOURCE_DIR}/packaging/nvr-calculator.h2m
                --output=nvr-calculator.1 $<TARGET_FILE:nvr-calculator>
        COMMAND gzip -9nf nvr-calculator.1
        DEPENDS nvr-calculator packaging/nvr-calculator.h2m
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        VERBATIM)
    add_custom_target(nvr-calculator-man ALL DEPENDS ${NVR_MAN_PAGE})
    install(FILES ${NVR_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(WARNING "help2man not found: the manual page is neither built nor installed")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nvr-calculator)
set(CPACK_PACKAGE_VENDOR "NVR Recording calculator maintainers")
set(CPACK_PACKAGE_CONTACT "NVR Recording calculator maintainers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# CPack puts the summary first as the synopsis: this is only what follows it.
# One string: a list's semicolons would end up in the text.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Per camera channel, up to 16, the installer picks recording mode,\n"
    "resolution, frame rate and picture quality, or types a bitrate, and reads\n"
    "each channel's bitrate and daily storage, the daily total, the disk needed\n"
    "to keep a number of days and how long an installed disk lasts.\n"
    "\n"
    "Plans are saved as files and every change can be undone. A one-page PDF\n"
    "report of a plan, or its table of channels as CSV, goes to the customer\n"
    "with the quote.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# The libraries from the binary itself; the fonts because the form's captions
# only fit in Arial's metrics.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_STRIP_FILES ON)
# Stripped the way Debian strips its own programs: without the compilers'
# notes either. The last install rule, so every program installed is listed.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(installed IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
            if(installed MATCHES \"/${CMAKE_INSTALL_BINDIR}/[^/]+\$\")
                execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                                        --remove-section=.note \"\$ENV{DESTDIR}\${installed}\")
            endif()
        endforeach()
    endif()")
include(CPack)
