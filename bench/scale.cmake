# Start-up, one cursor, BERECHNUNG, page 1 and Save on projects of 10, 1,000 and 10,000 records, with the
# growth per record, and Save beside a raw copy of the file with a flush.
add_executable(bench_scale
    ${CMAKE_SOURCE_DIR}/bench/scale/ScaleBench.cpp
    ${CMAKE_SOURCE_DIR}/tests/app/Installation.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/TempDir.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/RecordFixture.cpp)
target_include_directories(bench_scale PRIVATE ${CMAKE_SOURCE_DIR}/tests/support ${CMAKE_SOURCE_DIR}/tests/app)
target_link_libraries(bench_scale PRIVATE app schema example_records benchmark::benchmark Qt6::Widgets)
