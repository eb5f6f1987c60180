# Fails when a file of the model includes anything but another file of the model
# ("model/...") or a header of the C++ standard library. Run with -DFILES="a.h;b.cpp".
set(QRV_STANDARD_HEADERS
  algorithm any array atomic bit bitset cassert cctype cerrno cfenv cfloat charconv chrono
  cinttypes climits clocale cmath compare complex concepts cstddef cstdint cstdio cstdlib
  cstring ctime cwchar deque exception execution expected filesystem format forward_list
  functional initializer_list iomanip ios iosfwd iostream istream iterator limits list locale
  map memory memory_resource mutex new numbers numeric optional ostream queue random ranges
  ratio regex scoped_allocator set shared_mutex source_location span sstream stack stdexcept
  stop_token streambuf string string_view system_error thread tuple type_traits typeindex
  typeinfo unordered_map unordered_set utility valarray variant vector version)

set(QRV_BAD_INCLUDES "")
foreach(file IN LISTS FILES)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"model/[a-z0-9_]+\\.h\"")
      continue()
    endif()
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*<([a-z_]+)>")
      list(FIND QRV_STANDARD_HEADERS ${CMAKE_MATCH_1} known)
      if(NOT known EQUAL -1)
        continue()
      endif()
    endif()
    list(APPEND QRV_BAD_INCLUDES "${file}: ${line}")
  endforeach()
endforeach()

if(QRV_BAD_INCLUDES)
  list(JOIN QRV_BAD_INCLUDES "\n  " listed)
  message(FATAL_ERROR "The model may include only model/ and the C++ standard library:\n  ${listed}")
endif()
