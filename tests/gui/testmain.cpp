// The window tests need one application object for the whole run. Native dialogs are
// off so that the tests can answer the open dialog and the message boxes themselves,
// and the locale is fixed so that number texts do not depend on the machine. Without a
// platform named in the environment (the build lists the tests by running this program
// bare) the windows go offscreen.

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
