# The fuzz targets: built only with clang and KRODA_FUZZ=ON (scripts/fuzz.sh), every object
# instrumented for coverage and checked by AddressSanitizer and UndefinedBehaviorSanitizer.
if(KRODA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KRODA_FUZZ needs clang (scripts/fuzz.sh sets it)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
