// The built program as a script runs it: a child process with no display at
// all, its standard error a pipe or a real pseudo terminal, Ctrl+C a real
// SIGINT. What it writes is read back by sigrok-cli, a tool no one here wrote.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

const QString program = QStringLiteral(VOLTARIX_BINARY);

struct Finished {
    int status = -1;
    QString out;
    QString err;
};

// Everything that could lead the program to a display is taken away.
QProcessEnvironment withoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

Finished runProgram(const QStringList& arguments, const QString& folder) {
    QProcess child;
    child.setProcessEnvironment(withoutDisplay());
    child.setWorkingDirectory(folder);
    child.start(program, arguments);
    Finished result;
    if (!child.waitForStarted(10'000) || !child.waitForFinished(120'000))
        return result;
    result.status = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    result.out = QString::fromUtf8(child.readAllStandardOutput());
    result.err = QString::fromUtf8(child.readAllStandardError());
    return result;
}

bool haveSigrok() {
    return !QStandardPaths::findExecutable(QStringLiteral("sigrok-cli")).isEmpty();
}

// The text sigrok's UART decoder reads from pin 15 of the dump.
QString decodedText(const QString& path, int baud) {
    QProcess sigrok;
    sigrok.start(QStringLiteral("sigrok-cli"),
                 {"-I", "vcd", "-i", path, "-P",
                  QStringLiteral("uart:rx=Pin15:baudrate=%1:format=ascii").arg(baud), "-A",
                  "uart=rx-data"});
    if (!sigrok.waitForFinished(120'000) || sigrok.exitCode() != 0)
        return QStringLiteral("(sigrok-cli failed: %1)")
            .arg(QString::fromUtf8(sigrok.readAllStandardError()));
    QString text = QString::fromUtf8(sigrok.readAllStandardOutput());
    text.remove(QStringLiteral("uart-1: "));
    text.remove(u'\n');
    return text;
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
}

} // namespace

TEST(CaptureProgram, WithoutADisplayTheSimulatedSerialLineDecodesAtItsRate) {
    if (!haveSigrok())
        GTEST_SKIP() << "sigrok-cli is not installed (scripts/deps.sh installs it)";
    QTemporaryDir folder;
    // A pause of the machine longer than half a bit spoils a frame: at 9600 baud that is 52 us,
    // which a virtual machine's host takes now and then, so the faster line gets more frames
    // and needs only one of them whole.
    struct Line {
        int baud;
        const char* duration;
        int wholeFrames;
    };
    for (const Line line : {Line{9600, "4500ms", 1}, Line{1200, "2500ms", 2}}) {
        const int baud = line.baud;
        const QString name = QStringLiteral("uart%1.vcd").arg(baud);
        const Finished run = runProgram({"--simulate", "--simulate-baud", QString::number(baud),
                                         "--capture", line.duration, "--output", name},
                                        folder.path());
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.err, "") << "standard error is a pipe: no progress line";
        EXPECT_EQ(run.out, "");
        // Frames start at every whole second of the simulated source.
        const QString text = decodedText(folder.filePath(name), baud);
        EXPECT_GE(text.count("VOLTARIX"), line.wholeFrames) << baud << " " << text.toStdString();
    }
}

TEST(CaptureProgram, EveryBadArgumentGetsItsLineTheUsageAndStatusOneWritingNothing) {
    QTemporaryDir folder;
    const struct {
        QStringList arguments;
        QString line;
    } cases[] = {
        {{"--simulate", "--capture", "ten", "--output", "a.vcd"},
         "Длительность записи — число больше нуля с единицей (us, ms, s, min, h), например 10s "
         "или 500ms, а не 'ten'."},
        {{"--simulate", "--cycles", "x", "--output", "a.vcd"},
         "Число циклов — целое число больше нуля, а не 'x'."},
        {{"--simulate", "--capture", "1s", "--output", "a.vcd", "--port", "$999"},
         "Неизвестный порт '$999': укажите $3BC, $378 или $278 (в оболочке — в кавычках: '$378')."},
        {{"--simulate", "--capture", "1s", "--output", "a.vcd", "--port", "$3BC"},
         "Порт $3BC не отвечает; отвечает: $378."},
        {{"--simulate", "--capture", "1s", "--output", "no/such/folder/a.vcd"},
         "Cannot create file no/such/folder/a.vcd"},
        {{"--simulate", "--capture", "1s"}, "Для записи без окна нужен файл: --output ФАЙЛ.vcd."},
        {{"--simulate", "--capture", "1s", "--output", "a.vcd", "--simulate-baud", "7"},
         "Скорость линии имитатора должна быть целым числом от 300 до 1000000, а не '7'."},
        {{"--capture", "1s", "--output", "a.vcd", "--bogus"}, "Unknown option 'bogus'."},
    };
    for (const auto& each : cases) {
        const Finished run = runProgram(each.arguments, folder.path());
        const std::string what = each.arguments.join(' ').toStdString();
        EXPECT_EQ(run.status, 1) << what;
        EXPECT_TRUE(run.err.startsWith(each.line + "\n\nUsage: ")) << what << "\n"
                                                                   << run.err.toStdString();
        EXPECT_EQ(run.out, "") << what;
        EXPECT_EQ(filesIn(folder.path()), QStringList()) << what;
    }
}

TEST(CaptureProgram, TheHelpShowsTheSyntaxWithoutADisplay) {
    QTemporaryDir folder;
    const Finished help = runProgram({"--help"}, folder.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("voltarix --capture ДЛИТЕЛЬНОСТЬ --output ФАЙЛ.vcd"));
    EXPECT_TRUE(help.out.contains("--port <ПОРТ>"));
}

namespace {

// The program on a pseudo terminal of its own, as from a user's shell.
class OnTerminal {
public:
    OnTerminal(const QStringList& arguments, const QString& folder) {
        std::vector<std::string> words{program.toStdString()};
        for (const QString& argument : arguments)
            words.push_back(argument.toStdString());
        const std::string where = folder.toStdString();
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"})
                unsetenv(name);
            if (chdir(where.c_str()) != 0)
                _exit(126);
            std::vector<char*> argv;
            for (std::string& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    ~OnTerminal() {
        if (pid_ > 0 && !reaped_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0)
            close(master_);
    }

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Reads what the terminal shows until `enough` says so or the program
    // ends; false when neither came within the time.
    template <typename Enough> bool readUntil(Enough enough, std::chrono::seconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            if (enough(shown_))
                return true;
            pollfd waiting{master_, POLLIN, 0};
            if (poll(&waiting, 1, 100) <= 0)
                continue;
            char block[4096];
            const ssize_t got = read(master_, block, sizeof block);
            if (got <= 0)
                return enough(shown_);
            shown_ += QString::fromUtf8(block, got);
        }
        return false;
    }
    // The exit status, or -1 when it did not end by itself.
    int wait() {
        readUntil([](const QString&) { return false; }, std::chrono::seconds(60));
        int status = 0;
        waitpid(pid_, &status, 0);
        reaped_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const QString& shown() const { return shown_; }

private:
    int master_ = -1;
    pid_t pid_ = -1;
    bool reaped_ = false;
    QString shown_;
};

// The latest progress line shows at least this many seconds.
bool showsSeconds(const QString& shown, double seconds) {
    static const QRegularExpression line(QStringLiteral("Запись: (\\d+),(\\d) с, циклов (\\d+)"));
    double latest = -1;
    for (auto match = line.globalMatch(shown); match.hasNext();) {
        const QRegularExpressionMatch each = match.next();
        latest = each.captured(1).toInt() + each.captured(2).toInt() / 10.0;
    }
    return latest >= seconds;
}

} // namespace

// Ctrl+C in the middle of an hour's capture: the program ends at once with
// status 0 and a whole dump of what it recorded, which decodes.
TEST(CaptureProgram, CtrlCEndsTheCaptureAndLeavesACompleteFile) {
    if (!haveSigrok())
        GTEST_SKIP() << "sigrok-cli is not installed (scripts/deps.sh installs it)";
    QTemporaryDir folder;
    OnTerminal run(
        {"--simulate", "--simulate-baud", "9600", "--capture", "1h", "--output", "cut.vcd"},
        folder.path());
    ASSERT_TRUE(run.started());
    // Past the frame that starts at the source's first whole second.
    ASSERT_TRUE(run.readUntil([](const QString& shown) { return showsSeconds(shown, 1.5); },
                              std::chrono::seconds(60)))
        << run.shown().toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath("cut.vcd"))) << "the file appears whole at the end";
    kill(run.pid(), SIGINT);
    EXPECT_EQ(run.wait(), 0) << run.shown().toStdString();
    EXPECT_TRUE(run.shown().endsWith("циклов/с\x1b[K\r\n"))
        << "the progress line is ended: " << run.shown().right(80).toStdString();
    const QString path = folder.filePath("cut.vcd");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray dump = file.readAll();
    EXPECT_TRUE(dump.endsWith('\n'));
    EXPECT_GE(decodedText(path, 9600).count("VOLTARIX"), 1);
}

// --decode prints every annotation of the stack's top decoder as a line; the
// received bytes read as the simulated port's text.
TEST(CaptureProgram, DecodersPrintTheirAnnotationsAsLinesOfText) {
    QTemporaryDir folder;
    const Finished run =
        runProgram({"--simulate", "--simulate-baud", "9600", "--capture", "2500ms", "--output",
                    "u.vcd", "--decode", "uart:rx=15:baudrate=9600:format=ascii"},
                   folder.path());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "");
    static const QRegularExpression data(
        QStringLiteral("^(\\d+\\.\\d{6})-(\\d+\\.\\d{6}) uart rx-data: (.)$"),
        QRegularExpression::MultilineOption);
    QString text;
    double last = -1;
    for (auto match = data.globalMatch(run.out); match.hasNext();) {
        const QRegularExpressionMatch each = match.next();
        EXPECT_LT(each.captured(1).toDouble(), each.captured(2).toDouble());
        EXPECT_GE(each.captured(1).toDouble(), last) << "in the order of the recording";
        last = each.captured(1).toDouble();
        text += each.captured(3);
    }
    EXPECT_GE(text.count("VOLTARIX"), 2) << run.out.left(400).toStdString();
    EXPECT_TRUE(QFile::exists(folder.filePath("u.vcd")));
}

TEST(CaptureProgram, ADecoderThatCannotRunIsABadArgumentFoundBeforeTheCapture) {
    QTemporaryDir folder;
    for (const char* stack : {"nosuch", "uart:rx=18", "uart:rx=15:baudrate=fast"}) {
        const Finished run =
            runProgram({"--simulate", "--capture", "1h", "--output", "a.vcd", "--decode", stack},
                       folder.path());
        EXPECT_EQ(run.status, 1) << stack;
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("--decode %1: ").arg(stack)))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("\n\nUsage: ")) << stack;
        EXPECT_EQ(run.err.indexOf(u'\n'), run.err.indexOf("\n\nUsage: ")) << "one line";
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(filesIn(folder.path()), QStringList()) << stack;
    }
}
