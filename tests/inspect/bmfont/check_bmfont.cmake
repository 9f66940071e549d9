# Writes an atlas with the built glyphkiln, exports it with
# glyphkiln-inspect --json and --bmfont, and has the npm BMFont parser
# read every .fnt file back (check_bmfont.js).
include(${CMAKE_CURRENT_LIST_DIR}/../../support/run_steps.cmake)

file(WRITE ${WORK_DIR}/atlas.txt
    "${FIXTURES}/kiln12.bdf 12\n"
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 16\n"
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf 32 Glyphkiln atlas\n")
run(${GLYPHKILN} ${WORK_DIR}/atlas.txt 1)
run(${INSPECT} ${WORK_DIR}/atlas.ovx --json)
file(WRITE ${WORK_DIR}/table.json "${last_output}")
run(${INSPECT} ${WORK_DIR}/atlas.ovx --bmfont ${WORK_DIR}/bmfont)
run(${NODE} ${CMAKE_CURRENT_LIST_DIR}/check_bmfont.js ${WORK_DIR}/bmfont ${WORK_DIR}/table.json ${NODE_MODULES})
message("${last_output}")
