# Page 1 of a record of 6 and of 72 readings: loaded (header, footer and the three pictures drawn) and
# printed into a PDF file.
add_executable(bench_page1
    ${CMAKE_SOURCE_DIR}/bench/page1/Page1Bench.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/RecordFixture.cpp)
target_include_directories(bench_page1 PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(bench_page1 PRIVATE pages_single schema example_records benchmark::benchmark Qt6::Widgets)
