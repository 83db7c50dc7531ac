# cmake -DINPUT=guide.txt -DOUTPUT=guide.sjis -DICONV=iconv -P ToShiftJis.cmake
# A UTF-8 text with LF line ends becomes a code page 932 text with CR LF line ends, as Notepad on
# a Japanese Windows reads it.
file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}.utf8" "${text}")
execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${OUTPUT}.utf8"
                OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE rc)
file(REMOVE "${OUTPUT}.utf8")
if(NOT rc EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${INPUT} has no code page 932 form")
endif()
