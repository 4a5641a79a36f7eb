# cmake -DINPUT=<file> -DOUTPUT=<cpp> -DNAME=<resource name> -P EmbedForm.cmake
file(READ "${INPUT}" hex HEX)
if(hex STREQUAL "")
  message(FATAL_ERROR "Form resource ${INPUT} is empty")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "#include \"platform/framework/FormResources.h\"\n\nnamespace {\nconst unsigned char kData[] = {\n${bytes}};\n"
  "const framework::TFormResourceRegistration kRegistration(\"${NAME}\", kData, sizeof kData);\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
