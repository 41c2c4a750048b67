# Installing documentation the way a Debian package wants it: manual pages
# and the changelog gzip-compressed (reproducibly), the copyright file under
# share/doc/<package>. A new program's manual page is one more name given to
# vorel_install_man_pages.

set(VOREL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vorel)

# vorel_install_gzipped(<source> <destination folder> [<installed name>])
# Compresses <source> at build time into the build folder and installs the
# .gz; the installed name defaults to the source's name with .gz added.
function(vorel_install_gzipped source destination)
    get_filename_component(source ${source} ABSOLUTE)
    if(ARGC GREATER 2)
        set(name ${ARGV2})
    else()
        get_filename_component(name ${source} NAME)
        set(name ${name}.gz)
    endif()
    # One folder per destination keeps equal names apart.
    string(MAKE_C_IDENTIFIER ${destination} subdir)
    set(output ${PROJECT_BINARY_DIR}/gzipped/${subdir}/${name})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/gzipped/${subdir}
        COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${output}
                -P ${PROJECT_SOURCE_DIR}/cmake/Gzip.cmake
        DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/Gzip.cmake
        COMMENT "Compressing ${name}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER gzip_${subdir}_${name} target)
    add_custom_target(${target} ALL DEPENDS ${output})
    install(FILES ${output} DESTINATION ${destination})
endfunction()

# vorel_install_man_pages(<page>...)
# Each page's section is its suffix: docs/man/vorel.1 goes to man1/vorel.1.gz.
function(vorel_install_man_pages)
    foreach(page IN LISTS ARGN)
        get_filename_component(name ${page} NAME)
        string(REGEX MATCH "[^.]+$" section ${name})
        vorel_install_gzipped(${page} ${CMAKE_INSTALL_MANDIR}/man${section})
    endforeach()
endfunction()

# The HTML manual, which the window's Help menu opens. It lies below
# share/vorel rather than share/doc, which minimal systems leave out, laid
# out as in the source tree: the pages in docs/manual/<language>/, the
# screenshots they show in docs/.
function(vorel_install_manual)
    set(docs ${CMAKE_INSTALL_DATADIR}/vorel/docs)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual DESTINATION ${docs})
    set(screenshots screenshot.png render-example.png planner-best.png planner-best-de.png
        planner-stack.png planner-stack-de.png planner-photo.png planner-photo-de.png
        planner-same.png planner-same-de.png)
    list(TRANSFORM screenshots PREPEND ${PROJECT_SOURCE_DIR}/docs/)
    install(FILES ${screenshots} DESTINATION ${docs})
endfunction()
