#pragma once
// What a benchmark of the main window needs around Google Benchmark's run:
// Qt's offscreen platform, a private registry folder, the built program
// folder's data files as RootDir, and a screen of 1280 x 1024 pixels.
#include "korvel/app/main_window_assembly.h"
#include "korvel/workspace/program_globals.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>

// Runs the registered benchmarks; `prepare` runs once the application
// exists, before the first of them.
inline int runMainWindowBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir registry;
    qputenv("KORVEL_REGISTRY_DIR", registry.path().toUtf8());
    QApplication application(argc, argv);
    globals().RootDir = QCoreApplication::applicationDirPath() + QStringLiteral("/../program/");
    globals().ScreenWidth = 1280;
    globals().ScreenHeight = 1024;
    installMainWindowAssembly();
    if (prepare) {
        prepare();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
