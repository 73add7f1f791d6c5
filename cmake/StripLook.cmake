# cmake -DIN=form.ui -DOUT=bare.ui -P StripLook.cmake
#
# Writes the Designer form IN to OUT without any font, palette or style sheet:
# the calculator built on it is the floor the start-up benchmark holds the
# real one to.
file(READ "${IN}" form)
foreach(property font palette styleSheet)
    set(opening "<property name=\"${property}\">")
    string(FIND "${form}" "${opening}" start)
    while(NOT start EQUAL -1)
        string(SUBSTRING "${form}" ${start} -1 rest)
        string(FIND "${rest}" "</property>" length)
        math(EXPR end "${start} + ${length} + 11")
        string(SUBSTRING "${form}" 0 ${start} head)
        string(SUBSTRING "${form}" ${end} -1 tail)
        set(form "${head}${tail}")
        string(FIND "${form}" "${opening}" start)
    endwhile()
endforeach()
file(WRITE "${OUT}" "${form}")
