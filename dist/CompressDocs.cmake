# Run by CPack on the staged files: a Debian package carries its man page and changelog compressed.
file(GLOB_RECURSE korrik_staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
list(FILTER korrik_staged INCLUDE REGEX "/(man6/korrik-shooter\\.6|doc/korrik-shooter/changelog)$")
if(NOT korrik_staged)
    message(FATAL_ERROR "no man page or changelog staged under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(doc IN LISTS korrik_staged)
    # -n leaves out the name and time, so the same sources give the same package.
    execute_process(COMMAND gzip -9nf "${doc}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot compress ${doc}")
    endif()
endforeach()
