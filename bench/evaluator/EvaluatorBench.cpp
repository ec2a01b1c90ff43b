// One-shot evaluation of typical value-field entries: our evaluator against
// muParser, which parses and evaluates each text as a field entry would.
// Heap allocations are counted by wrapping glibc's malloc family and are
// reported per evaluation.
#include "setup/valueentry/ExpressionEvaluator.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

// --- allocation counting: every malloc, calloc, realloc and aligned form,
// and so every operator new, passes through here ---

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);
}

namespace {
std::atomic<long long> gAllocations{0};
}

extern "C" {
void* malloc(size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}
void* memalign(size_t alignment, size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size)
{
    return memalign(alignment, size);
}
int posix_memalign(void** result, size_t alignment, size_t size)
{
    void* block = memalign(alignment, size);
    if (!block)
        return 12;  // ENOMEM
    *result = block;
    return 0;
}
void free(void* block)
{
    __libc_free(block);
}
}

namespace {

struct Entry {
    const char* name;
    const char* ours;      // as typed into a value field
    const char* muparser;  // the same expression in muParser's syntax
};

// muParser's names are lower case and it has no RAD; rad() is defined with
// our stored factor.
const Entry kEntries[] = {
    {"Number", "12.5", "12.5"},
    {"Product", "25.4*2", "25.4*2"},
    {"ParenthesesPower", "(1+2)*3^2", "(1+2)*3^2"},
    {"Functions", "SQRT(16)+RAD(180)", "sqrt(16)+rad(180)"},
    {"SumOf20", "1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1", "1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1"},
};
constexpr int kEntryCount = sizeof kEntries / sizeof kEntries[0];

double Rad(double degrees)
{
    return degrees * 0.0174532925199433;
}

double Deg(double radians)
{
    return radians * 57.29577951308231;
}

void DefineOurFunctions(mu::Parser& parser)
{
    parser.DefineFun("rad", Rad);
    parser.DefineFun("deg", Deg);
}

void ReportAllocations(benchmark::State& state, long long allocations, long long evaluations)
{
    state.counters["allocs/eval"] = benchmark::Counter(double(allocations) / double(evaluations));
    state.counters["evals"] = benchmark::Counter(double(evaluations), benchmark::Counter::kIsRate);
}

// Our evaluator, one entry.
void BM_Ours(benchmark::State& state)
{
    const Entry& entry = kEntries[state.range(0)];
    state.SetLabel(entry.name);
    long long before = gAllocations.load();
    for (auto _ : state) {
        int code;
        double value = keld::EvaluateExpression(entry.ours, &code);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(code);
    }
    ReportAllocations(state, gAllocations.load() - before, state.iterations());
}

// muParser with the parser kept from call to call, as a program would hold
// one: each entry is set and evaluated once, which parses it anew.
void BM_MuParser(benchmark::State& state)
{
    const Entry& entry = kEntries[state.range(0)];
    state.SetLabel(entry.name);
    mu::Parser parser;
    DefineOurFunctions(parser);
    const std::string text = entry.muparser;
    long long before = gAllocations.load();
    for (auto _ : state) {
        parser.SetExpr(text);
        double value = parser.Eval();
        benchmark::DoNotOptimize(value);
    }
    ReportAllocations(state, gAllocations.load() - before, state.iterations());
}

// muParser with a new parser for every entry, as a field that creates one
// when it needs it.
void BM_MuParserNewParser(benchmark::State& state)
{
    const Entry& entry = kEntries[state.range(0)];
    state.SetLabel(entry.name);
    const std::string text = entry.muparser;
    long long before = gAllocations.load();
    for (auto _ : state) {
        mu::Parser parser;
        DefineOurFunctions(parser);
        parser.SetExpr(text);
        double value = parser.Eval();
        benchmark::DoNotOptimize(value);
    }
    ReportAllocations(state, gAllocations.load() - before, state.iterations());
}

// The whole set of entries per iteration, both ways.
void BM_OursAllEntries(benchmark::State& state)
{
    long long before = gAllocations.load();
    for (auto _ : state) {
        for (const Entry& entry : kEntries) {
            int code;
            double value = keld::EvaluateExpression(entry.ours, &code);
            benchmark::DoNotOptimize(value);
        }
    }
    ReportAllocations(state, gAllocations.load() - before, state.iterations() * kEntryCount);
    state.SetItemsProcessed(state.iterations() * kEntryCount);
}

void BM_MuParserAllEntries(benchmark::State& state)
{
    mu::Parser parser;
    DefineOurFunctions(parser);
    std::string texts[kEntryCount];
    for (int i = 0; i < kEntryCount; ++i)
        texts[i] = kEntries[i].muparser;
    long long before = gAllocations.load();
    for (auto _ : state) {
        for (const std::string& text : texts) {
            parser.SetExpr(text);
            double value = parser.Eval();
            benchmark::DoNotOptimize(value);
        }
    }
    ReportAllocations(state, gAllocations.load() - before, state.iterations() * kEntryCount);
    state.SetItemsProcessed(state.iterations() * kEntryCount);
}

void EachEntry(benchmark::internal::Benchmark* b)
{
    for (int i = 0; i < kEntryCount; ++i)
        b->Arg(i);
}

BENCHMARK(BM_Ours)->Apply(EachEntry);
BENCHMARK(BM_MuParser)->Apply(EachEntry);
BENCHMARK(BM_MuParserNewParser)->Apply(EachEntry);
BENCHMARK(BM_OursAllEntries);
BENCHMARK(BM_MuParserAllEntries);

// Both evaluators must agree before their times mean anything.
bool SameResults()
{
    mu::Parser parser;
    DefineOurFunctions(parser);
    bool same = true;
    for (const Entry& entry : kEntries) {
        int code;
        double ours = keld::EvaluateExpression(entry.ours, &code);
        parser.SetExpr(entry.muparser);
        double theirs = parser.Eval();
        if (code != 0 || ours != theirs) {
            std::fprintf(stderr, "%s: ours %.17g (code %d), muParser %.17g\n", entry.name, ours, code, theirs);
            same = false;
        }
    }
    return same;
}

} // namespace

int main(int argc, char** argv)
{
    if (!SameResults())
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
