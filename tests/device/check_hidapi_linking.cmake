# cmake -DREAL=<binaries> -DFAKE=<binaries> -P check_hidapi_linking.cmake:
# fails unless each of REAL needs libhidapi-hidraw and not the fake hidapi,
# and each of FAKE the other way round.
set(real_library "[libhidapi-hidraw.so.0]")
set(fake_library "[libkq_fake_hidapi.so]")

function(check_needs binary wanted unwanted)
    execute_process(COMMAND readelf --dynamic ${binary} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "readelf cannot read ${binary}")
    endif()
    string(FIND "${dynamic}" "${wanted}" found_wanted)
    string(FIND "${dynamic}" "${unwanted}" found_unwanted)
    if(found_wanted EQUAL -1 OR NOT found_unwanted EQUAL -1)
        message(FATAL_ERROR "${binary} must need ${wanted} and not ${unwanted}")
    endif()
endfunction()

foreach(binary IN LISTS REAL)
    check_needs(${binary} ${real_library} ${fake_library})
endforeach()
foreach(binary IN LISTS FAKE)
    check_needs(${binary} ${fake_library} ${real_library})
endforeach()
