#include "cli/commandline.h"
#include "gui/window/startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const vantrel::CommandLine line = vantrel::ParseCommandLine(arguments);
    if (line.exitCode) {
        std::fputs(line.output.toLocal8Bit().constData(), *line.exitCode == 0 ? stdout : stderr);
        return *line.exitCode;
    }
    // A search for scripts needs no application object: no display is opened.
    if (line.script)
        return vantrel::RunScriptSearch(*line.script, stdout, stderr);
    QApplication application(argc, argv);
    return vantrel::RunProgram(line.file);
}
