#pragma once

// The start-up sequence: the main window first (it is the application's main window),
// then the hidden side windows, then the main window is shown. main() and the window
// tests run this very function.

#include <QString>

#include <memory>
#include <optional>

namespace vantrel {

class VAvevadi;
class Tlegende;
class Tfinfo;
class Tabout;
class SearchReportWindow;
class CompareWindow;

struct Program {
    Program();
    ~Program();
    std::unique_ptr<VAvevadi> Pfinder;
    std::unique_ptr<Tlegende> legende;
    std::unique_ptr<Tfinfo> finfo;
    std::unique_ptr<Tabout> about;
    // The features' side windows; each feature owns its own.
    SearchReportWindow* report = nullptr;
    CompareWindow* compare = nullptr;
};

// Creates all windows and shows the main window. Needs a QApplication.
std::unique_ptr<Program> StartUp();

// Opens a league file given at start, once the message loop runs: the load sequence of
// a dialog choice, with its messages shown over the main window.
void OpenAtStartUp(Program& program, const QString& file);

// The whole program after the application object exists: start-up, the league file of
// the command line if there is one, and the message loop, with errors during start-up
// shown in a box. Always returns 0.
int RunProgram(const std::optional<QString>& file = std::nullopt);

}  // namespace vantrel
