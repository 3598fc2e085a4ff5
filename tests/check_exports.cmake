# Holds an executable's export table to the toolkit's list of names, both ways,
# and checks that it exports no test hook.
#   cmake -DTOOL=<objdump|nm> -DKIND=<pe|elf> -DDEMANGLER=<c++filt> -DFILE=<exe>
#         -DNAMES=<exports.txt> -P check_exports.cmake
# Names are compared qualified and without parameter lists (Class::Member,
# Function), so that one list serves every build whatever its mangling of
# long or intptr_t. The C++ runtime's own names (std::, vtables, type
# information) are not the toolkit's and are left out.
if(KIND STREQUAL "pe")
  execute_process(COMMAND "${TOOL}" -p "${FILE}" OUTPUT_VARIABLE table RESULT_VARIABLE rc)
  # Only the export table section counts, not imports.
  string(FIND "${table}" "[Ordinal/Name Pointer] Table" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "${FILE} has no export table")
  endif()
  string(SUBSTRING "${table}" ${start} -1 table)
  string(FIND "${table}" "The Function Table" stop)
  if(NOT stop EQUAL -1)
    string(SUBSTRING "${table}" 0 ${stop} table)
  endif()
  # Rows "[   3] name".
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
  list(TRANSFORM rows REPLACE "^\\[ *[0-9]+\\] " "")
else()
  execute_process(COMMAND "${TOOL}" -D --defined-only "${FILE}" OUTPUT_VARIABLE table RESULT_VARIABLE rc)
  # Rows "address type name".
  string(REGEX MATCHALL "[^\n]+" rows "${table}")
  list(TRANSFORM rows REPLACE "^.* " "")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed on ${FILE}")
endif()

# Test hooks stay out of every export table.
string(REGEX MATCHALL "[A-Za-z0-9_]*ForTesting[A-Za-z0-9_]*" hooks "${table}")
if(hooks)
  list(REMOVE_DUPLICATES hooks)
  message(FATAL_ERROR "${FILE} exports test hooks: ${hooks}")
endif()

# The toolkit is C++: its names are the mangled ones. The rest are the C
# runtime's and the linker's (_start, _edata, environ, ...).
list(FILTER rows INCLUDE REGEX "^_Z")
set(exported "")
if(rows)
  # -n: export table names carry no leading underscore, also on i686, whose
  # demangler would otherwise expect one.
  execute_process(COMMAND "${DEMANGLER}" -n -p ${rows} OUTPUT_VARIABLE demangled RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${DEMANGLER} failed")
  endif()
  string(REGEX REPLACE "\\[abi:[A-Za-z0-9_]+\\]" "" demangled "${demangled}")
  string(REGEX MATCHALL "[^\n]+" exported "${demangled}")
  list(FILTER exported EXCLUDE REGEX "^(std|__gnu_cxx|__cxxabiv1)::")
  list(FILTER exported EXCLUDE REGEX "^(typeinfo|typeinfo name|vtable|VTT|construction vtable) for ")
  list(FILTER exported EXCLUDE REGEX "^(guard variable|TLS init function|TLS wrapper function) for ")
  list(FILTER exported EXCLUDE REGEX "^(non-virtual thunk|virtual thunk|covariant return thunk) to ")
  list(REMOVE_DUPLICATES exported)
endif()

file(STRINGS "${NAMES}" listed REGEX "^[^#]")
list(TRANSFORM listed STRIP)
list(FILTER listed EXCLUDE REGEX "^$")
list(REMOVE_DUPLICATES listed)

set(missing ${listed})
if(exported)
  list(REMOVE_ITEM missing ${exported})
endif()
set(unlisted ${exported})
if(listed)
  list(REMOVE_ITEM unlisted ${listed})
endif()
set(problems "")
if(missing)
  list(JOIN missing "\n  " missing)
  string(APPEND problems "\nlisted in ${NAMES} but not exported:\n  ${missing}")
endif()
if(unlisted)
  list(JOIN unlisted "\n  " unlisted)
  string(APPEND problems "\nexported but not listed there:\n  ${unlisted}")
endif()
if(problems)
  message(FATAL_ERROR "${FILE}${problems}")
endif()
list(LENGTH listed n)
message(STATUS "${FILE}: exports exactly the ${n} listed names")
