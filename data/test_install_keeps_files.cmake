# Installing twice into one prefix keeps the user's words: a data file that grew since the
# first install is left as it is, and only a file that is missing is installed again.
#   cmake -DBUILD=BUILD_DIR -DWORK=SCRATCH_DIR -P test_install_keeps_files.cmake
function(install_into prefix)
    execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}"
                    RESULT_VARIABLE failed OUTPUT_QUIET)
    if(failed)
        message(FATAL_ERROR "cmake --install into ${prefix} failed")
    endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
install_into("${WORK}/prefix")
set(thai "${WORK}/prefix/share/thai-kit/drive_c/THAI")
file(GLOB starter RELATIVE "${thai}" "${thai}/*")
list(LENGTH starter count)
if(count LESS 90)
    message(FATAL_ERROR "only ${count} starter files installed")
endif()

file(APPEND "${thai}/LEXFWD_C.DAT" "\"cane\",\"maa\",\"-\",\"-\",\"@\",\"$\",\"$\"\r\n")
file(READ "${thai}/LEXFWD_C.DAT" grown HEX)
file(REMOVE "${thai}/1k_kai.wav")
install_into("${WORK}/prefix")

file(READ "${thai}/LEXFWD_C.DAT" after HEX)
if(NOT after STREQUAL grown)
    message(FATAL_ERROR "installing again replaced LEXFWD_C.DAT, which held a new word")
endif()
if(NOT EXISTS "${thai}/1k_kai.wav")
    message(FATAL_ERROR "installing again did not bring back the missing 1k_kai.wav")
endif()
file(GLOB again RELATIVE "${thai}" "${thai}/*")
if(NOT again STREQUAL starter)
    message(FATAL_ERROR "the installed files differ: ${again}")
endif()
file(REMOVE_RECURSE "${WORK}")
