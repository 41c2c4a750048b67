# Compresses one file for installation: cmake -DIN=... -DOUT=... -P Gzip.cmake
# gzip -n leaves out the name and time stamp, so the same input always gives
# the same bytes; -9 is what Debian expects of manual pages and changelogs.
# The result is written beside OUT first and renamed, so that a failed run
# leaves no truncated file that make would take as up to date.
execute_process(COMMAND gzip -9 -n -c "${IN}"
    OUTPUT_FILE "${OUT}.part"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    file(REMOVE "${OUT}.part")
    message(FATAL_ERROR "gzip ${IN}: ${status}")
endif()
file(RENAME "${OUT}.part" "${OUT}")
