# cmake -DSCORES=path -P ensure_scores.cmake: creates an empty score file at path when none is
# there. An existing file, which holds a player's scores, is left exactly as it is.
if(NOT SCORES)
    message(FATAL_ERROR "ensure_scores.cmake: pass -DSCORES=<path of scores.brd>")
endif()
if(NOT EXISTS "${SCORES}")
    file(WRITE "${SCORES}" "")
endif()
