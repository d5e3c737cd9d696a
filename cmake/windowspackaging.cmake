# The Windows program's two packages: an installer made by NSIS's makensis, and a portable zip
# with the program, its licence and a short readme. Each is built with the program when its
# tool is there (Debian's packages nsis and zip). The same program always gives the same
# packages: no file in them keeps a time of its own.

find_program(POMVEXA_MAKENSIS makensis)
find_program(POMVEXA_ZIP zip)
set(package_dir ${CMAKE_CURRENT_BINARY_DIR}/packages)
set(POMVEXA_INSTALLER ${package_dir}/pomvexa-${PROJECT_VERSION}-setup.exe)
set(POMVEXA_PORTABLE_ZIP ${package_dir}/pomvexa-${PROJECT_VERSION}-windows.zip)
set(package_files)

if(POMVEXA_ZIP)
    # The zip's files, named as a Windows user expects them, with the sources' date (in UTC,
    # as the zip's DOS times have no zone), the usual modes, no owners or other extra fields.
    set(portable_dir ${CMAKE_CURRENT_BINARY_DIR}/portable)
    configure_file(packaging/windows/readme.txt.in ${portable_dir}/readme.txt @ONLY
        NEWLINE_STYLE WIN32)
    configure_file(LICENSE ${portable_dir}/LICENSE.txt COPYONLY)
    set(portable_files pomvexa.exe LICENSE.txt readme.txt)
    add_custom_command(OUTPUT ${POMVEXA_PORTABLE_ZIP}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:pomvexa> pomvexa.exe
        COMMAND ${CMAKE_COMMAND} -E rm -f ${POMVEXA_PORTABLE_ZIP}
        COMMAND chmod 644 ${portable_files}
        COMMAND chmod 755 pomvexa.exe
        COMMAND touch --date=@${POMVEXA_SOURCE_DATE_EPOCH} ${portable_files}
        COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0
            ${POMVEXA_ZIP} -q -X -9 ${POMVEXA_PORTABLE_ZIP} ${portable_files}
        WORKING_DIRECTORY ${portable_dir}
        DEPENDS pomvexa ${portable_dir}/readme.txt ${portable_dir}/LICENSE.txt VERBATIM)
    list(APPEND package_files ${POMVEXA_PORTABLE_ZIP})
else()
    message(STATUS "zip not found: no portable zip (Debian's package zip has it)")
endif()

if(POMVEXA_MAKENSIS)
    set(POMVEXA_PROGRAM_FILE $<TARGET_FILE:pomvexa>)
    set(POMVEXA_LICENSE_FILE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
    configure_file(packaging/windows/pomvexa.nsi.in pomvexa.nsi.in @ONLY)
    # The program's path is known only when generating the build.
    file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/pomvexa.nsi
        INPUT ${CMAKE_CURRENT_BINARY_DIR}/pomvexa.nsi.in)
    add_custom_command(OUTPUT ${POMVEXA_INSTALLER}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}
        COMMAND ${POMVEXA_MAKENSIS} -V2 -INPUTCHARSET UTF8 ${CMAKE_CURRENT_BINARY_DIR}/pomvexa.nsi
        DEPENDS pomvexa ${CMAKE_CURRENT_BINARY_DIR}/pomvexa.nsi ${POMVEXA_ICON_FILE}
            ${POMVEXA_LICENSE_FILE} VERBATIM)
    list(APPEND package_files ${POMVEXA_INSTALLER})
else()
    message(STATUS "makensis not found: no Windows installer (Debian's package nsis has it)")
endif()
add_custom_target(windows_packages ALL DEPENDS ${package_files})
