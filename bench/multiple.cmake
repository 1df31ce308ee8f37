# The multiple-evaluation page of 2, 20 and 200 active records: loaded as Calculate multiple loads it
# (header, footer, diagram, table and summary box drawn) and printed into a PDF file.
add_executable(bench_multiple
    ${CMAKE_SOURCE_DIR}/bench/multiple/MultipleBench.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/RecordFixture.cpp)
target_include_directories(bench_multiple PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(bench_multiple PRIVATE pages_multiple schema example_records benchmark::benchmark Qt6::Widgets)
