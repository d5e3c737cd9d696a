# Writes the page into the site with the program's script inside it, where the page names it,
# so that the browser fetches one file fewer before the program can start.
# Run with -DPAGE=<index.html> -DSCRIPT=<pomvexa.js> -DOUTPUT=<site/index.html>.
file(READ "${PAGE}" page)
file(READ "${SCRIPT}" script)
# Inside a script element the text must not close it or open a comment.
string(TOLOWER "${script}" lowered)
foreach(forbidden IN ITEMS "</script" "<!--")
    string(FIND "${lowered}" "${forbidden}" found)
    if(NOT found EQUAL -1)
        message(FATAL_ERROR "${SCRIPT} holds \"${forbidden}\" and cannot stand inside the page")
    endif()
endforeach()
set(tag "<script src=\"pomvexa.js\"></script>")
string(FIND "${page}" "${tag}" found)
if(found EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no ${tag}")
endif()
string(REPLACE "${tag}" "<script>${script}</script>" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
