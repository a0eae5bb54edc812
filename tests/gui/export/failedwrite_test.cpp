// The export file when the disk refuses it or the user cancels: the reason (none for a
// cancel), no temporary file left beside the target and the old file unchanged. A file-size
// limit and a full file system are made in a child process, which this program can fork
// because it has no application object and needs no display.

#include "gui/features/listexport.h"
#include "gui/results/resultmodel.h"
#include "support/byteimage.h"

#include "leaguegen.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vantrel {
namespace {

// Far more than 64 KiB of CSV, and more rows than pass between two progress calls.
constexpr int kRows = 5000;
const QByteArray kOld = "old,export\r\n";

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool WriteOld(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(kOld) == kOld.size();
}

std::string Listing(const QString& folder) {
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
        .join('/')
        .toStdString();
}

// What a child saw: why its case could not be made (the rest empty then), the export's
// message, the folder's names joined by '/' and the old file's bytes.
struct Outcome {
    std::string refused, message, listing, target;
};

#ifdef __linux__
std::string Why(const char* step) {
    std::string why = step;
    why += ": ";
    why += std::strerror(errno);
    return why;
}

bool WriteText(const char* path, const std::string& text) {
    std::ofstream out(path);
    return static_cast<bool>(out << text << std::flush);
}

// A mount namespace of its own (and a user namespace unless root) with a 64 KiB tmpfs on
// folder; the empty text, or why the system refused.
std::string MountTinyFileSystem(const std::string& folder) {
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(uid == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return Why("unshare");
    if (uid != 0 &&
        !(WriteText("/proc/self/setgroups", "deny") &&
          WriteText("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1") &&
          WriteText("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1")))
        return "user namespace map refused";
    // Private first: the tmpfs must never show in the parent's folder.
    if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return Why("private mounts");
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
        return Why("tmpfs mount");
    return {};
}

// In the child: `prepare`, the old file, the export over it, what the folder holds.
std::string ChildReport(const ResultModel& model, const QString& folder,
                        const std::function<std::string()>& prepare) {
    std::string refused = prepare();
    const QString target = folder + "/old.csv";
    if (refused.empty() && !WriteOld(target))
        refused = "old file not written";
    if (!refused.empty())
        return refused + std::string(3, '\0');
    std::string report(1, '\0');
    report += WriteListFile(model, nullptr, {}, {}, target).toStdString();
    report += '\0';
    report += Listing(folder);
    report += '\0';
    report += FileBytes(target).left(200).toStdString();  // more than the old file holds
    return report;
}

Outcome ExportInChild(const ResultModel& model, const QString& folder,
                      const std::function<std::string()>& prepare) {
    int ends[2];
    if (pipe(ends) != 0)
        return {Why("pipe"), "", "", ""};
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        const std::string report = ChildReport(model, folder, prepare);
        for (std::size_t sent = 0; sent < report.size();) {
            const ssize_t n = write(ends[1], report.data() + sent, report.size() - sent);
            if (n <= 0)
                _exit(2);
            sent += static_cast<std::size_t>(n);
        }
        _exit(0);  // no destructors, no flush of the parent's buffered output
    }
    close(ends[1]);
    std::string report;
    char piece[4096];
    for (ssize_t n; (n = read(ends[0], piece, sizeof piece)) > 0;)
        report.append(piece, static_cast<std::size_t>(n));
    close(ends[0]);
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    std::vector<std::string> parts(1);
    for (const char c : report) {
        if (c == '\0')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 4)
        return {"", "(the child's report is incomplete)", "", ""};
    return {parts[0], parts[1], parts[2], parts[3]};
}

#endif

class FailedWriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        std::vector<std::uint8_t> roster;
        for (int i = 0; i < kRows; ++i) {
            std::string name = "Player ";
            name += std::to_string(i);
            leaguegen::PlayerBuilder().Name(name).AppendTo(roster);
        }
        std::vector<std::int32_t> records(kRows);
        std::iota(records.begin(), records.end(), 0);
        model_.SetRows(testsupport::SharedImageOf(roster), std::move(records));
    }

    void ExpectRefusedAndOldKept(const Outcome& outcome, const char* reason) {
        std::string message = "Could not write ";
        message += QDir::toNativeSeparators(dir_.filePath("old.csv")).toStdString();
        message += ":\n";
        message += reason;
        EXPECT_EQ(outcome.message, message);
        EXPECT_EQ(outcome.listing, "old.csv");
        EXPECT_EQ(outcome.target, kOld.toStdString());
    }

    ResultModel model_;
    QTemporaryDir dir_;
};

#ifdef __linux__
TEST_F(FailedWriteTest, AFileSizeLimitEndsInTheReasonAndKeepsTheOldFile) {
    const Outcome outcome = ExportInChild(model_, dir_.path(), [] {
        std::signal(SIGXFSZ, SIG_IGN);  // a refused write, not the end of the process
        const rlim_t bytes = rlim_t{64} << 10;
        const rlimit limit{bytes, bytes};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0 ? std::string() : Why("setrlimit");
    });
    ASSERT_EQ(outcome.refused, "");
    ExpectRefusedAndOldKept(outcome, "File too large");
}

TEST_F(FailedWriteTest, AFullFileSystemEndsInTheReasonAndKeepsTheOldFile) {
    const std::string folder = dir_.path().toStdString();
    const Outcome outcome =
        ExportInChild(model_, dir_.path(), [&folder] { return MountTinyFileSystem(folder); });
    if (!outcome.refused.empty())
        GTEST_SKIP() << "no tmpfs of our own here: " << outcome.refused;
    ExpectRefusedAndOldKept(outcome, "No space left on device");
    EXPECT_EQ(Listing(dir_.path()), "") << "the child's mount reached this process";
}

#endif

// Cancelled at the first progress call, and at the last one, when every row is written.
TEST_F(FailedWriteTest, ACancelledWriteLeavesNoFileAndKeepsTheOldOne) {
    const QString old = dir_.filePath("old.csv");
    ASSERT_TRUE(WriteOld(old));
    std::vector<std::int64_t> told;
    ListTextOptions options;
    options.progress = [&told](std::int64_t done) {
        told.push_back(done);
        return false;
    };
    EXPECT_EQ(WriteListFile(model_, nullptr, options, {}, old), "");
    options.progress = [&told](std::int64_t done) {
        told.push_back(done);
        return done < kRows;
    };
    EXPECT_EQ(WriteListFile(model_, nullptr, options, {}, dir_.filePath("new.csv")), "");
    ASSERT_GE(told.size(), 3u);
    EXPECT_LT(told.front(), kRows);
    EXPECT_EQ(told.back(), kRows);
    EXPECT_EQ(Listing(dir_.path()), "old.csv");
    EXPECT_EQ(FileBytes(old), kOld);
}

}  // namespace
}  // namespace vantrel
