# Proves that the i686 build of the plant engine does its double arithmetic in SSE2, as the x86_64
# and native builds do: the compile options carry -msse2 -mfpmath=sse, the machine code holds SSE2
# double arithmetic, and no rounding x87 instruction (add, multiply, divide, square root, ...).
# Loads and stores of x87 registers and sign changes stay: the i686 calling convention returns
# doubles in st(0), and none of them rounds.
#
#   cmake -DOBJDUMP=... -DLIBRARY=... -DOPTIONS=... -P check_sse2_maths.cmake
foreach(option -msse2 -mfpmath=sse -ffp-contract=off)
  if(NOT "${OPTIONS}" MATCHES "(^|;)${option}(;|$)")
    message(FATAL_ERROR "the i686 compile options lack ${option}: ${OPTIONS}")
  endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${LIBRARY}
                OUTPUT_VARIABLE code RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${LIBRARY}: ${errors}")
endif()

# Disassembly lines read "address:<tab>mnemonic operands".
string(REGEX MATCHALL ":\t(addsd|subsd|mulsd|divsd|sqrtsd) " sse2 "${code}")
list(LENGTH sse2 sse2Count)
if(sse2Count LESS 100)
  message(FATAL_ERROR "only ${sse2Count} SSE2 double instructions in ${LIBRARY}")
endif()
string(REGEX MATCHALL
       ":\tf(add|sub|subr|mul|div|divr|sqrt|sin|cos|sincos|patan|ptan|prem|prem1|scale|rndint|yl2x|yl2xp1|2xm1|iadd|isub|isubr|imul|idiv|idivr)[a-z]* [^\n]*"
       x87 "${code}")
list(LENGTH x87 x87Count)
if(x87Count GREATER 0)
  list(GET x87 0 first)
  message(FATAL_ERROR "${x87Count} x87 arithmetic instructions in ${LIBRARY}, the first: ${first}")
endif()
message(STATUS "${sse2Count} SSE2 double instructions, no x87 arithmetic")
