# BERECHNUNG on a stored record of 10 and of 72 readings, beside raw SQLite reading the same inputs and
# writing the same results in one transaction.
add_executable(bench_evaluation
    ${CMAKE_SOURCE_DIR}/bench/evaluation/EvaluationBench.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/RecordFixture.cpp)
target_include_directories(bench_evaluation PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(bench_evaluation PRIVATE evaluation schema example_records benchmark::benchmark Qt6::Widgets)
