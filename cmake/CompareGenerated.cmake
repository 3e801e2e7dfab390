# Runs a generator into a fresh folder and fails unless every file it makes equals the
# committed one byte for byte. Takes COMMAND (a list), WORK, EXPECTED and FILES.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "generator failed: ${result}")
endif()
foreach(name ${FILES})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${name}"
        "${EXPECTED}/${name}" RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "${name} differs from what its generator draws now")
    endif()
endforeach()
