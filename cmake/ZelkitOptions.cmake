# Warnings and sanitizers shared by every target of the project.
add_library(zelkit_options INTERFACE)
target_compile_options(zelkit_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(zelkit_options INTERFACE
  ZELKIT_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  ZELKIT_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  ZELKIT_VERSION_RELEASE=${PROJECT_VERSION_PATCH}
  ZELKIT_VERSION_BUILD=${PROJECT_VERSION_TWEAK})

if(ZELKIT_SANITIZE)
  target_compile_options(zelkit_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(zelkit_options INTERFACE -fsanitize=address,undefined)
endif()

if(ZELKIT_FUZZ)
  target_compile_options(zelkit_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(zelkit_options INTERFACE -fsanitize=address,undefined)
endif()

# One library per source folder; the link lines keep the layers pointing one way.
function(zelkit_library name)
  cmake_parse_arguments(ZL "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ZL_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC zelkit_options ${ZL_LINKS})
endfunction()

# A QtTest program run by CTest; the offscreen platform keeps GUI tests off any display.
function(zelkit_test name)
  cmake_parse_arguments(ZT "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ZT_SOURCES})
  target_link_libraries(${name} PRIVATE zelkit_options Qt6::Test ${ZT_LINKS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZELKIT_CODEPAGE=cp1252;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 300)
endfunction()
