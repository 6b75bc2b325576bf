#pragma once

#include <cstddef>
#include <cstdint>

// Entry points that take arbitrary bytes to the parsers and checks that read what users and
// files hand the program. The fuzzers call them with generated input; tst_fuzzcorpus replays
// the kept corpus through them in every test run. A broken property aborts.
namespace QuillboxFuzz {

void ReportTemplate(const uint8_t *data, size_t size);
void ReportJsonData(const uint8_t *data, size_t size);
void ProductCsv(const uint8_t *data, size_t size);
void SaleEntry(const uint8_t *data, size_t size);

} // namespace QuillboxFuzz
