# Fails when docs/elements.md differs from what the library source gives now.
execute_process(COMMAND ${TOOL} reference ${SOURCE} -o ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "kestro-lib reference failed (${result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${DOC} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "docs/elements.md is out of date with the library source: "
                        "run `cmake --build <build folder> --target elements_reference`")
endif()
