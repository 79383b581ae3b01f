// Benchmarks on a generated dictionary of 1,000,000 records per direction: the reader's
// throughput in Google Benchmark, then the side-by-side table of the windows' figures.

#include "dictionary_generator.h"
#include "summary.h"

#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_reader.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

constexpr std::size_t kRecords = 1000000;

struct Fixture {
    QTemporaryDir dir;
    bench::GeneratedDictionary generated;

    Fixture() { generated = bench::generateDictionary(dir.path().toStdString(), kRecords); }

    std::vector<std::string> files(datafiles::Direction direction) const {
        std::vector<std::string> bytes;
        for (char l = 'A'; l <= 'Z'; ++l)
            bytes.push_back(datafiles::readWholeFile(dir.path().toStdString() + "/" +
                                                     datafiles::dataFileName(direction, l))
                                .bytes);
        return bytes;
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void reader(benchmark::State& state, datafiles::Direction direction) {
    const std::vector<std::string> files = fixture().files(direction);
    std::size_t bytes = 0;
    for (const std::string& file : files)
        bytes += file.size();
    std::size_t records = 0;
    for (auto _ : state) {
        records = 0;
        for (const std::string& file : files) {
            datafiles::RecordReader reader(file);
            datafiles::RecordView r;
            while (!reader.atEnd() && reader.next(r) == datafiles::ReadStatus::Record)
                ++records;
        }
        benchmark::DoNotOptimize(records);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
    state.counters["records"] = static_cast<double>(records);
}

void BM_ReaderForward(benchmark::State& state) {
    reader(state, datafiles::Direction::Forward);
}
void BM_ReaderReverse(benchmark::State& state) {
    reader(state, datafiles::Direction::Reverse);
}
BENCHMARK(BM_ReaderForward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderReverse)->Unit(benchmark::kMillisecond);

// The offscreen platform says it cannot raise or grab each time the drop-down opens: not
// what the table is about.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        qt_message_output(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A runtime folder of our own where the session has none, for this process and the
    // look-up processes it starts.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        static char runtime[] = "/tmp/kit-bench-XXXXXX";
        if (::mkdtemp(runtime))
            qputenv("XDG_RUNTIME_DIR", runtime);
    }
    qInstallMessageHandler(quietOffscreen);
    // --table=PATH: after the benchmarks, measure the side-by-side table and keep it there.
    std::string tablePath;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--table=", 8) == 0)
            tablePath = argv[i] + 8;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    QApplication app(count, args.data());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!tablePath.empty()) {
        const Fixture& f = fixture();
        const bench::Programs programs{LOOKUP_PROBE, LOAD_PROBE, WRITE_PROBE,   FIRST_PAINT,
                                       VOCABORO,     CHARTOLA,   RIPASSO_PROBE, IMPORT_PROBE};
        const std::string table =
            bench::sideBySideTable(f.dir.path().toStdString(), f.generated, programs);
        std::fputs(("\n" + table).c_str(), stdout);
        std::ofstream(tablePath) << table;
    }
    return 0;
}
