// Value services on the hot path of every list row and report line:
// formatting numbers and dates by picture, and decimal arithmetic.
#include <benchmark/benchmark.h>

#include "platform/date.h"
#include "platform/picture.h"

namespace {

void FormatAmount(benchmark::State& state) {
    const bb::Picture picture = *bb::Picture::compile("@n$-15.2");
    const bb::Value value = bb::Value::number(*bb::Decimal::parse("-1234567.891"));
    for (auto _ : state) benchmark::DoNotOptimize(picture.format(value));
}
BENCHMARK(FormatAmount);

void FormatDate(benchmark::State& state) {
    const bb::Picture picture = *bb::Picture::compile("@d2");
    const bb::Value value = bb::Value::number(*bb::dayNumber(2024, 2, 29));
    for (auto _ : state) benchmark::DoNotOptimize(picture.format(value));
}
BENCHMARK(FormatDate);

void ReadTypedAmount(benchmark::State& state) {
    const bb::Picture picture = *bb::Picture::compile("@n-14.2");
    for (auto _ : state) benchmark::DoNotOptimize(picture.deformat("-1,234,567.89"));
}
BENCHMARK(ReadTypedAmount);

void TotalAmount(benchmark::State& state) {
    // price x quantity + charges, as a trade's total is computed
    const bb::Decimal price = *bb::Decimal::parse("12.3456789012");
    const bb::Decimal quantity = *bb::Decimal::parse("1500.25");
    const bb::Decimal charges = *bb::Decimal::parse("19.95");
    for (auto _ : state) benchmark::DoNotOptimize((price * quantity + charges).rescaled(2));
}
BENCHMARK(TotalAmount);

}  // namespace
