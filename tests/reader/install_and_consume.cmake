# Installs the build into a scratch prefix, then configures and builds a
# separate project that finds it with find_package(glyphkiln) and reads
# an atlas that the installed glyphkiln wrote.
include(${CMAKE_CURRENT_LIST_DIR}/../support/run_steps.cmake)
set(prefix ${WORK_DIR}/prefix)

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(f bin/glyphkiln bin/glyphkiln-inspect include/glyphkiln/atlas_reader.hpp
          lib/cmake/glyphkiln/glyphkilnConfig.cmake)
    if(NOT EXISTS ${prefix}/${f})
        message(FATAL_ERROR "the install is missing ${f}")
    endif()
endforeach()

run(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)

file(WRITE ${WORK_DIR}/kiln.txt "${FIXTURES}/kiln12.bdf 12 Ail\n")
run(${prefix}/bin/glyphkiln ${WORK_DIR}/kiln.txt 1)
run(${WORK_DIR}/build/consumer ${WORK_DIR}/kiln.ovx)
if(NOT last_output MATCHES "^[0-9]+x[0-9]+\n.* A 6x9\n$")
    message(FATAL_ERROR "unexpected consumer output:\n${last_output}")
endif()
message(STATUS "consumer read the atlas:\n${last_output}")
