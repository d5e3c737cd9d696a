# Writes a script that sets Module.NAME to the text of a file, for the program's script to carry.
# Run with -DINPUT=<file> -DOUTPUT=<script> -DNAME=<name>.
file(READ "${INPUT}" text)
foreach(special IN ITEMS "\\" "'")
    string(REPLACE "${special}" "\\${special}" text "${text}")
endforeach()
string(REPLACE "\n" "\\n" text "${text}")
file(WRITE "${OUTPUT}" "Module.${NAME} = '${text}';\n")
