# What an installation holds besides the programs and share/hoplark (see src/): the desktop
# entry with its metadata and icon, the manual pages, the system's folder setting; and the
# Debian package that cpack makes of it all (scripts/make-deb.sh).
include(GNUInstallDirs)
set(app_id io.github.hoplark.Hoplark)
install(FILES data/desktop/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(data/desktop/${app_id}.metainfo.xml ${CMAKE_BINARY_DIR}/${app_id}.metainfo.xml
               @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/desktop/${app_id}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual pages name the folders of this installation; compressed, as Debian wants them.
set(SYSCONFDIR ${CMAKE_INSTALL_FULL_SYSCONFDIR})
set(DATADIR ${CMAKE_INSTALL_FULL_DATADIR})
set(man_outputs)
foreach(page hoplark.1 hoplark-batch.1)
    configure_file(docs/man/${page} ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
        COMMAND gzip -9 -n -k -f ${CMAKE_BINARY_DIR}/man/${page}
        DEPENDS ${CMAKE_BINARY_DIR}/man/${page})
    list(APPEND man_outputs ${CMAKE_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(hoplark_man ALL DEPENDS ${man_outputs})
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The folder setting for every user, read when none lies beside the program. It follows the
# prefix of a staged install unless the configuration folder is outside the prefix (/etc for
# /usr).
if(CMAKE_INSTALL_FULL_SYSCONFDIR STREQUAL "${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_SYSCONFDIR}")
    set(hoplark_etc ${CMAKE_INSTALL_SYSCONFDIR}/hoplark)
else()
    set(hoplark_etc ${CMAKE_INSTALL_FULL_SYSCONFDIR}/hoplark)
endif()
install(FILES data/UserData.ini DESTINATION ${hoplark_etc})

# Debian asks every package for its copyright and changelog.
set(hoplark_doc ${CMAKE_INSTALL_DATADIR}/doc/hoplark)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.Debian.gz
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
            > ${CMAKE_BINARY_DIR}/changelog.Debian.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
add_custom_target(hoplark_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
install(FILES packaging/debian/copyright ${CMAKE_BINARY_DIR}/changelog.Debian.gz
        DESTINATION ${hoplark_doc})

set(HOPLARK_MAINTAINER "Hoplark developers <hoplark@users.noreply.github.com>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_PACKAGE_NAME hoplark)
set(CPACK_PACKAGE_VENDOR "Hoplark")
set(CPACK_PACKAGE_CONTACT ${HOPLARK_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print Japanese addresses on postcards and envelopes")
set(CPACK_PACKAGE_DESCRIPTION
    "Hoplark prints Japanese addresses (atena insatsu) on postcards, envelopes\n\
and other paper from CSV address lists, in vertical or horizontal writing,\n\
one page per address. It shows one address at a time in a preview that\n\
imitates the paper, keeps layouts as named paper profiles and comes with\n\
starter profiles for postcards and envelopes. hoplark-batch runs the same\n\
layout and printing from the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${HOPLARK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without the IPA fonts every page prints empty boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(IS_ABSOLUTE ${hoplark_etc})
    file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "${hoplark_etc}/UserData.ini\n")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
endif()
include(CPack)
