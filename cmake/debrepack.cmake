# Run by CPack once it has made the Debian package. CPack's package records when it was made,
# in every member and file, and the modes the umask left on the staged folders; so the package
# is made again by dpkg-deb from the same files and control data, with every time set to the
# sources' date, the usual modes, root as owner and a fixed order, so that the same build gives
# the same bytes. The caller's SOURCE_DATE_EPOCH, if set now, wins over the one configured.

set(epoch ${CPACK_POMVEXA_SOURCE_DATE_EPOCH})
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
endif()

function(run)
    execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    set(tree ${package}.tree)
    file(REMOVE_RECURSE ${tree})
    run(dpkg-deb --raw-extract ${package} ${tree})
    run(find ${tree} -type d -exec chmod 0755 {} +)
    run(find ${tree} -type f -perm /111 -exec chmod 0755 {} +)
    run(find ${tree} -type f ! -perm /111 -exec chmod 0644 {} +)
    run(find ${tree} -exec touch --no-dereference --date=@${epoch} {} +)
    # One compressor thread: the same stream whatever the machine's number of processors.
    run(${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
        dpkg-deb --root-owner-group --threads-max=1 -Zxz --build ${tree} ${package})
    file(REMOVE_RECURSE ${tree})
endforeach()
