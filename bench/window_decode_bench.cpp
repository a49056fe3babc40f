// A full 2 MiB memory image opened in the window: decoding with the grid
// updating and the window serving events between rows, as the user sees it.
#include "app/qt_user_dialogs.h"
#include "support/window_under_test.h"
#include "testbed/log_image_writer.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void WindowDecodesAFullMemory(benchmark::State& state)
{
    QTemporaryDir folder;
    const std::string image = (folder.path() + "/full.bin").toStdString();
    WriteImageFile(image, MakeSampleImage({.sectorCount = 32, .mask = 0x0002003F}));
    QtUserDialogs dialogs;
    WindowUnderTest window(dialogs, (folder.path() + "/Drovik.ini").toStdString());
    dialogs.setOwner(&window);
    window.show();
    window.Frame11SpeedButton3Click();
    for (auto _ : state) {
        window.DecodeLogFile(image);
        QApplication::processEvents();
    }
    state.counters["rows"] = window.trackTable().rowCount() - 1;
}
BENCHMARK(WindowDecodesAFullMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
