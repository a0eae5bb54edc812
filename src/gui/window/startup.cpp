#include "gui/window/startup.h"

#include "gui/common/guardedslot.h"
#include "gui/features/features.h"
#include "gui/sidewindows/about.h"
#include "gui/sidewindows/finfo.h"
#include "gui/sidewindows/legende.h"
#include "gui/window/mainwindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vantrel {

namespace {

// glibc raises its threshold for giving a large block memory of its own each time such a
// block is freed, up to 32 MiB. The list's temporaries (a few bytes a row, tens of
// megabytes at millions of rows) then come from the heap and stay with the process after
// a sort; a fixed threshold hands them back to the system when they are freed.
void ReturnLargeBlocksWhenFreed() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

}  // namespace

Program::Program() = default;
Program::~Program() = default;

std::unique_ptr<Program> StartUp() {
    ReturnLargeBlocksWhenFreed();
    QApplication::setApplicationDisplayName(QStringLiteral("Vantrel Search Machine"));
    // Every window, side windows and dialogs included, carries it for task bars and switchers.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vantrel-search.png")));
    auto program = std::make_unique<Program>();
    program->Pfinder = std::make_unique<VAvevadi>();
    program->legende = std::make_unique<Tlegende>();
    program->finfo = std::make_unique<Tfinfo>();
    program->about = std::make_unique<Tabout>();
    program->Pfinder->AttachSideWindows(program->legende.get(), program->finfo.get(),
                                        program->about.get());
    const FeatureWindows features = AddFeatures(program->Pfinder->Face());
    program->report = features.report;
    program->compare = features.compare;
    program->Pfinder->show();
    return program;
}

void OpenAtStartUp(Program& program, const QString& file) {
    VAvevadi* window = program.Pfinder.get();
    // Absolute as the dialog gives it, so the base name never ends in a folder's dot.
    QTimer::singleShot(0, window, Guarded([window, path = QFileInfo(file).absoluteFilePath()] {
                           window->OpenLeagueFile(path);
                       }));
}

int RunProgram(const std::optional<QString>& file) {
    try {
        auto program = StartUp();
        if (file)
            OpenAtStartUp(*program, *file);
        QApplication::exec();
    } catch (const std::exception& error) {
        ShowHandlerError(error);
    }
    return 0;
}

}  // namespace vantrel
