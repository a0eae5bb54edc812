#include "gui/window/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return vantrel::RunProgram();
}
