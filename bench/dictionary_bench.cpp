// Benchmarks of the readers and the dictionary window's whole loads, on a generated
// dictionary of 100,000 records per direction.

#include "dictionary_generator.h"
#include "summary.h"

#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_reader.h"
#include "platform/editable_combo.h"
#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t kRecords = 100000;

struct Fixture {
    QTemporaryDir dir;
    bench::GeneratedDictionary generated;
    std::vector<std::string> forwardFiles;
    std::size_t forwardBytes = 0;

    Fixture() {
        generated = bench::generateDictionary(dir.path().toStdString(), kRecords);
        for (char l = 'A'; l <= 'Z'; ++l) {
            forwardFiles.push_back(
                datafiles::readWholeFile(dir.path().toStdString() + "/" +
                                         datafiles::dataFileName(datafiles::Direction::Forward, l))
                    .bytes);
            forwardBytes += forwardFiles.back().size();
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ReaderForward(benchmark::State& state) {
    Fixture& f = fixture();
    std::size_t records = 0;
    for (auto _ : state) {
        records = 0;
        for (const std::string& bytes : f.forwardFiles) {
            datafiles::RecordReader reader(bytes);
            datafiles::RecordView r;
            while (!reader.atEnd() && reader.next(r) == datafiles::ReadStatus::Record)
                ++records;
        }
        benchmark::DoNotOptimize(records);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.forwardBytes));
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_ReaderForward)->Unit(benchmark::kMillisecond);

void wholeLoad(benchmark::State& state, bool forward) {
    Fixture& f = fixture();
    platform::ScriptedDialogs dialogs;
    platform::RecordingPlayer player;
    platform::FakeRegistry registry;
    platform::FakeLauncher launcher;
    chartola::Program program({dialogs, player, registry, launcher, "/nowhere", [] {}});
    dialogs.expectInput(QStringLiteral("DataBase"), f.dir.path() + QLatin1Char('/'));
    program.show(chartola::Window::Form3);
    chartola::Form3& form = program.dictionary();
    auto* combo = form.findChild<platform::EditableCombo*>(QStringLiteral("Combo1"));
    for (auto _ : state) {
        state.PauseTiming();
        combo->setEditText(QString());
        form.Combo1_KeyPress(13); // Enter on nothing: both loads are offered again
        dialogs.expectMessage(QStringLiteral("Premere OK"));
        state.ResumeTiming();
        forward ? form.Command5_Click() : form.Command6_Click();
    }
    if (!dialogs.problems().isEmpty() || combo->count() < 90000)
        state.SkipWithError("the load did not fill the lists");
    state.counters["entries"] = combo->count();
}

void BM_WholeLoadForward(benchmark::State& state) {
    wholeLoad(state, true);
}
void BM_WholeLoadReverse(benchmark::State& state) {
    wholeLoad(state, false);
}
BENCHMARK(BM_WholeLoadForward)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WholeLoadReverse)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
        const std::string table = bench::sideBySideTable();
        std::fputs(("\n" + table).c_str(), stdout);
        std::ofstream(tablePath) << table;
    }
    return 0;
}
