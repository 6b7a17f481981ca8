# Runs lupdate over src/ into copies of src/i18n/*.ts, then checks the copies
# the way test_translations checks the originals: a text added to or removed
# from the sources without "make translations" and its translation shows up as
# an unfinished or vanished entry.
# Expects SOURCE_DIR, WORK_DIR, LUPDATE, CHECKER and LANGUAGES (comma-separated).
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
string(REPLACE "," ";" languages "${LANGUAGES}")
foreach(language IN LISTS languages)
    set(ts ${WORK_DIR}/tallyfern_${language}.ts)
    file(COPY_FILE ${SOURCE_DIR}/src/i18n/tallyfern_${language}.ts ${ts})
    set(extra "")
    if(language STREQUAL "en")
        set(extra -pluralonly)
    endif()
    execute_process(COMMAND ${LUPDATE} -silent -locations none ${extra} ${SOURCE_DIR}/src -ts ${ts}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${ts}")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TALLYFERN_TS_DIR=${WORK_DIR} ${CHECKER} translationIsCompleteAndBuilt
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "src/i18n is behind the sources: run \"make translations\" and translate what it adds")
endif()
