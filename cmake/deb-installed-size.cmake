# Run by cpack after it makes the Debian package (CPACK_POST_BUILD_SCRIPTS in packaging.cmake).
# cpack's Installed-Size adds in the sizes that the file system it packs on gives the folders: 4 KiB
# each on ext4, less on tmpfs (Debian 13's /tmp), so one commit made two packages. This counts the
# package's content alone, in the way of Debian's dpkg-gencontrol: each file's size in KiB, rounded
# up, and 1 KiB for each folder or link. dpkg-deb then packs the package again, which it does the
# same way wherever it runs, with SOURCE_DATE_EPOCH for its times as cpack has.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    set(tree "${package}.tree")
    file(REMOVE_RECURSE "${tree}")
    # Under the umask that the package's modes need: a tighter one would close its folders.
    execute_process(COMMAND sh -c "umask 022 && dpkg-deb --raw-extract \"$1\" \"$2\"" sh
                            "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)

    file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${tree}" "${tree}/*")
    set(kib 1) # the package's top folder
    foreach(entry IN LISTS entries)
        if(entry MATCHES "^DEBIAN(/|$)")
            continue()
        elseif(IS_SYMLINK "${tree}/${entry}" OR IS_DIRECTORY "${tree}/${entry}")
            math(EXPR kib "${kib} + 1")
        else()
            file(SIZE "${tree}/${entry}" bytes)
            math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
        endif()
    endforeach()

    file(READ "${tree}/DEBIAN/control" control)
    string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control
                         "${control}")
    file(WRITE "${tree}/DEBIAN/control" "${control}")
    execute_process(
        COMMAND sh -c "umask 022 && dpkg-deb --root-owner-group -Zgzip --build \"$1\" \"$2\"" sh
                "${tree}" "${package}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
endforeach()
