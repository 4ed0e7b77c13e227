# Shared compile settings and the helpers that declare tests, fuzz targets and benchmarks.

add_compile_options(-Wall -Wextra -Wpedantic -Wno-missing-field-initializers)

if(VANTOREL_SANITIZE)
  add_compile_options(-fsanitize=${VANTOREL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${VANTOREL_SANITIZE})
endif()
if(VANTOREL_WITH_FUZZ)
  # Coverage for the fuzzers reaches into the library they exercise.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# A GoogleTest executable over the core library, registered as one ctest entry.
function(vantorel_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LABELS;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE vantorel_core GTest::gtest GTest::gtest_main ${T_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "core;${T_LABELS}" TIMEOUT 600)
  if("concurrency" IN_LIST T_LABELS)
    add_dependencies(concurrency_tests ${name})
  endif()
endfunction()

# A QtTest executable that drives real widgets on the offscreen platform. RUNNER, when given,
# is the command that starts it (tests/support/unprivileged.sh for tests run as an ordinary user).
function(vantorel_qttest name)
  cmake_parse_arguments(T "" "" "SOURCES;LABELS;LIBS;RUNNER" ${ARGN})
  if(NOT VANTOREL_WITH_UI)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE vantorel_ui Qt6::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${T_RUNNER} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES LABELS "ui;${T_LABELS}" TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A libFuzzer target over one file reader, run briefly by the test command.
function(vantorel_fuzz name)
  cmake_parse_arguments(T "" "SECONDS" "SOURCES" ${ARGN})
  if(NOT VANTOREL_WITH_FUZZ)
    return()
  endif()
  if(NOT T_SECONDS)
    set(T_SECONDS 8)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE vantorel_core)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}.corpus)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      $<TARGET_FILE:${name}> -max_total_time=${T_SECONDS} -rss_limit_mb=2048 -timeout=10 ${corpus})
  set_tests_properties(${name} PROPERTIES LABELS "fuzz" TIMEOUT 300)
  file(MAKE_DIRECTORY ${corpus})
endfunction()

# A Google Benchmark executable; built by the test command, never run as a test.
function(vantorel_bench name)
  cmake_parse_arguments(T "" "" "SOURCES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE vantorel_core benchmark::benchmark benchmark::benchmark_main)
endfunction()
