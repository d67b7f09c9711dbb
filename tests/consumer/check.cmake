# cmake -P script: the consumer check. Every step must succeed.
function(step description)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${description} failed (${result}):\n${out}\n${err}")
    endif()
    message(STATUS "${description}: ok")
    set(step_output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${ORVO_WORK_DIR}/prefix)
file(REMOVE_RECURSE ${ORVO_WORK_DIR})

step("install" ${CMAKE_COMMAND} --install ${ORVO_BUILD_DIR} --prefix ${prefix})
step("configure consumer" ${CMAKE_COMMAND} -S ${ORVO_CONSUMER_SOURCE} -B ${ORVO_WORK_DIR}/build
     -G ${ORVO_GENERATOR} -DCMAKE_PREFIX_PATH=${prefix})
step("build consumer" ${CMAKE_COMMAND} --build ${ORVO_WORK_DIR}/build)
step("run consumer" ${ORVO_WORK_DIR}/build/consumer)
message(STATUS "${step_output}")

# pkg-config: the same program, compiled and linked by hand.
find_program(PKG_CONFIG pkg-config REQUIRED)
find_program(CXX NAMES c++ g++ REQUIRED)
set(ENV{PKG_CONFIG_PATH} "${prefix}/lib/pkgconfig:${prefix}/lib/x86_64-linux-gnu/pkgconfig")
step("pkg-config" ${PKG_CONFIG} --cflags --libs orvopublicdata)
string(STRIP "${step_output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
file(GLOB libdirs LIST_DIRECTORIES true ${prefix}/lib ${prefix}/lib/*-linux-gnu)
set(rpaths)
foreach(dir ${libdirs})
    list(APPEND rpaths -Wl,-rpath,${dir})
endforeach()
step("compile with pkg-config" ${CXX} -std=c++17 -fPIC ${ORVO_CONSUMER_SOURCE}/main.cpp
     -o ${ORVO_WORK_DIR}/consumer-pc ${flags} ${rpaths})
step("run pkg-config consumer" ${ORVO_WORK_DIR}/consumer-pc)
