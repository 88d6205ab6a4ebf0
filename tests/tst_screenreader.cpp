// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <csignal>
#include <memory>
#include <utility>
#include <vector>

#include <sys/types.h>
#include <unistd.h>

// A key pressed, what Orca must speak after it, once each, and what not.
struct Step
{
    const char *key;
    QStringList heard;
    QStringList unheard;
};

// Plays the real program by keys under a private desktop with Orca running
// and checks what Orca speaks: the lines its debug log records as speech.
class TestScreenReader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir scratch;
    std::vector<std::unique_ptr<QProcess>> started;
    std::unique_ptr<QProcess> program;
    QString orcaLog;

    QString path(const QString &name) const { return scratch.filePath(name); }
    QProcess *start(const QString &program, const QStringList &arguments = {});
    QString firstLineOf(QProcess *process);
    bool succeeds(const QString &program, const QStringList &arguments, QString *output = nullptr,
                  bool quietly = false) const;
    bool waitUntilSucceeds(const QString &program, const QStringList &arguments) const;
    void startProgram(const QString &program, const QStringList &arguments,
                      const QString &accessibleName);
    void stopProgram();
    void playByKeys(const std::vector<Step> &game);
    QStringList speech() const;
    bool waitForSpeech(qsizetype from, const QStringList &phrases, int milliseconds) const;
    void waitForQuiet() const;
    QList<pid_t> processesOfThisDesktop() const;
    QByteArray whatWasSaid() const;

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    // The browser first: opened after the desktop program had gone, its
    // window was never spoken by Orca 43, though every key after was.
    void everyVerdictIsHeardInTheBrowser();
    void everyVerdictIsHeard();
};

namespace {

const QString Orca = QStringLiteral("/usr/bin/orca");

// Orca writes its debug file through a block buffer and loses the tail when
// it is stopped; opened line by line, each spoken line is there at once.
// Orca also quits, saying so on its output, when any process of this user
// is named "orca", as it names itself: another test's Orca, or one left
// over, silenced it. This one neither looks nor is seen.
const QString LineBufferedOrca = QStringLiteral(R"(
import builtins, runpy, sys
plain = builtins.open
def lineBuffered(file, mode='r', *args, **kwargs):
    if mode == 'w' and not args and not kwargs:
        return plain(file, mode, 1)
    return plain(file, mode, *args, **kwargs)
builtins.open = lineBuffered
sys.argv[0] = '%1'
sys.stdout = sys.stderr
orca = runpy.run_path('%1')
if 'main' not in orca:
    # A launcher of another shape: run as it is.
    runpy.run_path('%1', run_name='__main__')
    sys.exit()
orca['main'].__globals__.update(otherOrcas=lambda: [], setProcessName=lambda name: None)
sys.exit(orca['main']())
)");

// Asks whether an application of this name is on the accessibility bus.
const QString IsOnAccessibilityBus = QStringLiteral(R"(
import pyatspi, sys
sys.exit(all(app is None or app.name != sys.argv[1] for app in pyatspi.Registry.getDesktop(0)))
)");

// A window the window manager focused before its toolkit joined the
// accessibility bus is never reported to the reader: new windows wait for
// the test to focus them.
const QByteArray OpenboxSettings = R"(<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc"><focus><focusNew>no</focusNew></focus>
</openbox_config>
)";

// Braille off: there is no display for it, and Orca would ask about it.
const QByteArray OrcaSettings = R"({
 "general": {"enableBraille": false, "enableBrailleMonitor": false, "enableSpeech": true,
             "startingProfile": ["Default", "default"], "activeProfile": ["Default", "default"]},
 "profiles": {"default": {"profile": ["Default", "default"]}},
 "pronunciations": {}, "keybindings": {}
})";

// Orca 43 speaks a notification as one utterance, "notification <news>";
// later versions as two, the role and then the news. Both are heard the
// same way, one after the other.
QString heardAsOne(const QStringList &utterances)
{
    return utterances.join(QLatin1Char(' '));
}

void stop(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

bool writeFile(const QString &name, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

QProcess *TestScreenReader::start(const QString &program, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setStandardErrorFile(path(QFileInfo(program).fileName() + QStringLiteral(".err")));
    process->start(program, arguments);
    if (!process->waitForStarted())
        qWarning("could not start %s", qPrintable(program));
    started.push_back(std::move(process));
    return started.back().get();
}

QString TestScreenReader::firstLineOf(QProcess *process)
{
    QElapsedTimer clock;
    clock.start();
    while (!process->canReadLine() && clock.elapsed() < 20000)
        process->waitForReadyRead(500);
    return QString::fromUtf8(process->readLine()).trimmed();
}

bool TestScreenReader::succeeds(const QString &program, const QStringList &arguments,
                                QString *output, bool quietly) const
{
    QProcess process;
    if (!quietly)
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// For a service that says nothing when it is ready: asked until it answers,
// and its last refusal shown.
bool TestScreenReader::waitUntilSucceeds(const QString &program, const QStringList &arguments) const
{
    QElapsedTimer clock;
    clock.start();
    while (!succeeds(program, arguments, nullptr, true)) {
        if (clock.elapsed() > 120000)
            return succeeds(program, arguments);
        QTest::qWait(100);
    }
    return true;
}

void TestScreenReader::initTestCase()
{
    const QStringList tools{QStringLiteral("Xvfb"),    QStringLiteral("dbus-daemon"),
                            QStringLiteral("openbox"), QStringLiteral("speech-dispatcher"),
                            QStringLiteral("xdotool"), QStringLiteral("gsettings"),
                            QStringLiteral("gdbus"),   QStringLiteral("spd-say")};
    for (const QString &tool : tools)
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), qPrintable(tool));
    QVERIFY2(QFile::exists(Orca), "orca is not installed");
    QVERIFY(scratch.isValid());

    // Every process started from here on inherits this private desktop.
    for (const auto &[name, folder] :
         {std::pair{"HOME", "home"}, std::pair{"XDG_CONFIG_HOME", "home/.config"},
          std::pair{"XDG_DATA_HOME", "home/.local/share"},
          std::pair{"XDG_CACHE_HOME", "home/.cache"}, std::pair{"XDG_RUNTIME_DIR", "run"}})
        qputenv(name, path(QString::fromLatin1(folder)).toUtf8());
    qunsetenv("AT_SPI_BUS_ADDRESS");
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    QVERIFY(QDir().mkpath(path(QStringLiteral("run"))));
    QFile::setPermissions(path(QStringLiteral("run")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // No sound card here: speech goes to ALSA's null device.
    QVERIFY(writeFile(path(QStringLiteral("home/.asoundrc")), "pcm.!default { type null }\n"));
    QVERIFY(
        writeFile(path(QStringLiteral("home/.local/share/orca/user-settings.conf")), OrcaSettings));
    QVERIFY(writeFile(path(QStringLiteral("home/.config/openbox/rc.xml")), OpenboxSettings));
    // Where speech-dispatcher looks for a user's settings, also when a
    // client would start one of its own: it is told not to.
    const QString speechConfig = path(QStringLiteral("home/.config/speech-dispatcher"));
    QVERIFY(QDir().mkpath(speechConfig));
    QVERIFY(QDir().mkpath(path(QStringLiteral("speech-dispatcher-log"))));
    QVERIFY(QProcess::execute(
                QStringLiteral("cp"),
                {QStringLiteral("-r"), QStringLiteral("/etc/speech-dispatcher/."), speechConfig})
            == 0);
    QFile config(speechConfig + QStringLiteral("/speechd.conf"));
    QVERIFY(config.open(QIODevice::Append));
    config.write("AudioOutputMethod \"alsa\"\nDefaultModule espeak-ng\nDisableAutoSpawn\n");
    config.close();

    // Each service is waited for until it answers, not for a time, before
    // anything that uses it starts. An X server that resets when its last
    // client leaves refuses clients meanwhile, so this one never resets.
    QProcess *display =
        start(QStringLiteral("Xvfb"),
              {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
               QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
               QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    const QString number = firstLineOf(display);
    QVERIFY2(!number.isEmpty(), "Xvfb gave no display");
    qputenv("DISPLAY", ':' + number.toUtf8());

    QProcess *bus = start(QStringLiteral("dbus-daemon"),
                          {QStringLiteral("--session"), QStringLiteral("--nofork"),
                           QStringLiteral("--print-address=1")});
    const QString address = firstLineOf(bus);
    QVERIFY2(!address.isEmpty(), "the session bus gave no address");
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());

    for (const auto &[schema, key] :
         {std::pair{"org.gnome.desktop.a11y.applications", "screen-reader-enabled"},
          std::pair{"org.gnome.desktop.interface", "toolkit-accessibility"}})
        QCOMPARE(QProcess::execute(QStringLiteral("gsettings"),
                                   {QStringLiteral("set"), QString::fromLatin1(schema),
                                    QString::fromLatin1(key), QStringLiteral("true")}),
                 0);

    // The session bus starts the accessibility bus for the first caller
    // and answers once it is up; so does that bus with its registry.
    QString accessibilityBus;
    QVERIFY(succeeds(QStringLiteral("gdbus"),
                     {QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
                      QStringLiteral("org.a11y.Bus"), QStringLiteral("--object-path"),
                      QStringLiteral("/org/a11y/bus"), QStringLiteral("--method"),
                      QStringLiteral("org.a11y.Bus.GetAddress")},
                     &accessibilityBus));
    accessibilityBus = accessibilityBus.section(QLatin1Char('\''), 1, 1);
    QVERIFY(succeeds(QStringLiteral("gdbus"),
                     {QStringLiteral("call"), QStringLiteral("--address"), accessibilityBus,
                      QStringLiteral("--dest"), QStringLiteral("org.a11y.atspi.Registry"),
                      QStringLiteral("--object-path"), QStringLiteral("/org/a11y/atspi/registry"),
                      QStringLiteral("--method"),
                      QStringLiteral("org.a11y.atspi.Registry.GetRegisteredEvents")}));

    QCOMPARE(firstLineOf(start(QStringLiteral("openbox"),
                               {QStringLiteral("--startup"), QStringLiteral("echo ready")})),
             QStringLiteral("ready"));

    start(QStringLiteral("speech-dispatcher"),
          {QStringLiteral("--run-single"), QStringLiteral("--timeout"), QStringLiteral("0"),
           QStringLiteral("--config-dir"), speechConfig, QStringLiteral("--log-dir"),
           path(QStringLiteral("speech-dispatcher-log"))});
    // A client that finds no socket starts a server of its own, and one
    // that does so while this one starts makes this one quit.
    QVERIFY(waitUntilSucceeds(
        QStringLiteral("test"),
        {QStringLiteral("-S"), path(QStringLiteral("run/speech-dispatcher/speechd.sock"))}));
    QVERIFY2(waitUntilSucceeds(QStringLiteral("spd-say"),
                               {QStringLiteral("--wait"), QStringLiteral("ready")}),
             "speech-dispatcher did not speak");

    orcaLog = path(QStringLiteral("orca.log"));
    start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), LineBufferedOrca.arg(Orca),
                                               QStringLiteral("--debug-file=") + orcaLog});
    QVERIFY2(waitForSpeech(0, {QStringLiteral("Screen reader on")}, 120000), whatWasSaid());
}

// Starts a program on this desktop, and focuses its window once the
// program is on the accessibility bus, so that the reader hears it.
void TestScreenReader::startProgram(const QString &name, const QStringList &arguments,
                                    const QString &accessibleName)
{
    const qsizetype before = speech().size();
    program = std::make_unique<QProcess>();
    program->setStandardErrorFile(path(QStringLiteral("program.err")));
    program->start(name, arguments);
    QVERIFY2(program->waitForStarted(), qPrintable(name));
    QVERIFY2(waitUntilSucceeds(QStringLiteral("/usr/bin/python3"),
                               {QStringLiteral("-c"), IsOnAccessibilityBus, accessibleName}),
             qPrintable(accessibleName + QStringLiteral(" is not on the accessibility bus")));
    QVERIFY(succeeds(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--all"),
                      QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                      QString::number(program->processId()), QStringLiteral("--name"), QString(),
                      QStringLiteral("windowactivate"), QStringLiteral("--sync")}));
    // The log has the focus when the program opens.
    QVERIFY2(waitForSpeech(before, {QStringLiteral("Условие и отговори")}, 90000), whatWasSaid());
    waitForQuiet();
}

void TestScreenReader::stopProgram()
{
    if (program)
        stop(*program);
    program.reset();
}

void TestScreenReader::cleanupTestCase()
{
    stopProgram();
    // Newest first: the program before Orca, Orca before the buses.
    for (auto process = started.rbegin(); process != started.rend(); ++process)
        stop(**process);
    started.clear();
    // The buses start helpers of their own (the accessibility registry,
    // dconf, the speech module); they carry this desktop's home.
    for (int round = 0; round < 20 && !processesOfThisDesktop().isEmpty(); ++round) {
        for (pid_t pid : processesOfThisDesktop())
            ::kill(pid, round < 10 ? SIGTERM : SIGKILL);
        QTest::qWait(250);
    }
    QCOMPARE(processesOfThisDesktop(), QList<pid_t>());
}

QList<pid_t> TestScreenReader::processesOfThisDesktop() const
{
    const QByteArray home = "HOME=" + path(QStringLiteral("home")).toUtf8();
    QList<pid_t> found;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isNumber = false;
        const pid_t pid = entry.toInt(&isNumber);
        if (!isNumber || pid == ::getpid())
            continue;
        QFile environ(QStringLiteral("/proc/%1/environ").arg(entry));
        if (environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(home))
            found << pid;
    }
    return found;
}

// A failure shows Orca's speech so far and what Orca and the program said
// on their error output.
QByteArray TestScreenReader::whatWasSaid() const
{
    const auto errors = [this](const QString &program) {
        QFile file(path(QFileInfo(program).fileName() + QStringLiteral(".err")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    return "Orca: " + speech().join(QStringLiteral(" | ")).toUtf8() + "\nOrca's output: "
           + errors(QStringLiteral("python3")) + "\nprogram: " + errors(QStringLiteral("program"));
}

QStringList TestScreenReader::speech() const
{
    static const QRegularExpression spoken(QStringLiteral("SPEECH OUTPUT: '(.*)'\\s*\\{"));
    QFile log(orcaLog);
    QStringList lines;
    if (!log.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray &line : log.readAll().split('\n'))
        if (const QRegularExpressionMatch match = spoken.match(QString::fromUtf8(line));
            match.hasMatch())
            lines << match.captured(1);
    return lines;
}

bool TestScreenReader::waitForSpeech(qsizetype from, const QStringList &phrases,
                                     int milliseconds) const
{
    QElapsedTimer clock;
    clock.start();
    do {
        const QString said = heardAsOne(speech().mid(from));
        if (std::all_of(phrases.begin(), phrases.end(),
                        [&said](const QString &phrase) { return said.contains(phrase); }))
            return true;
        QTest::qWait(100);
    } while (clock.elapsed() < milliseconds);
    return false;
}

// Speech that follows an event comes within a second; after that long
// without a new line, all that the event made Orca say is in the log.
void TestScreenReader::waitForQuiet() const
{
    qsizetype count = speech().size();
    for (int quiet = 0; quiet < 15;) {
        QTest::qWait(100);
        const qsizetype now = speech().size();
        quiet = now == count ? quiet + 1 : 0;
        count = now;
    }
}

void TestScreenReader::playByKeys(const std::vector<Step> &game)
{
    for (const Step &step : game) {
        const qsizetype before = speech().size();
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("key"), QString::fromLatin1(step.key)}),
                 0);
        const bool heard = waitForSpeech(before, step.heard, 30000);
        waitForQuiet();
        const QStringList said = speech().mid(before);
        qInfo("%s -> %s", step.key, qPrintable(said.join(QStringLiteral(" | "))));
        QVERIFY2(heard, whatWasSaid());
        const QString all = heardAsOne(said);
        // Each piece of news once: the program speaks nothing twice.
        for (const QString &phrase : step.heard)
            QVERIFY2(all.count(phrase) == 1, qPrintable(phrase));
        for (const QString &phrase : step.unheard)
            QVERIFY2(!all.contains(phrase), qPrintable(phrase));
    }
}

void TestScreenReader::everyVerdictIsHeard()
{
    startProgram(QStringLiteral(TEMBRELA_PROGRAM), {}, QStringLiteral("tembrela"));
    if (QTest::currentTestFailed())
        return;
    // The log has the focus at first; the list's cursor starts on its first
    // row and, after a pick, stays on the row, now the next performer.
    playByKeys({
        {"4", {"notification Избран глас: тенор"}, {}},
        {"Tab", {"Име на изпълнител", "Алфредо Краус"}, {}},
        {"space", {"notification Вярно тенор: Алфредо Краус", "Анна Нетребко"}, {}},
        {"1", {"notification Избран глас: бас"}, {}},
        {"Down", {"Бениамино Джили"}, {}},
        {"space", {"notification Невярно бас: Бениамино Джили", "Борис Христов"}, {}},
        // A pick without a voice is only deselected: nothing to tell.
        {"space", {}, {"notification", "Борис Христов"}},
        {"Tab", {"Изчисти"}, {}},
        // The refilled list does not draw the reader away from the button.
        {"space", {"notification Нов избор"}, {"Име на изпълнител", "Алфредо Краус"}},
        // A focused option says itself that it is chosen.
        {"Tab", {"бас"}, {}},
        {"Down", {"мецосопран"}, {"notification"}},
    });
    stopProgram();
}

// The page, opened from disk in Chromium on the same desktop: web.sh names
// it, having built it.
void TestScreenReader::everyVerdictIsHeardInTheBrowser()
{
    const QString page = qEnvironmentVariable("TEMBRELA_WEB_PAGE");
    QVERIFY2(!page.isEmpty(), "TEMBRELA_WEB_PAGE names no page: web.sh plays the page with Orca");
    startProgram(QStringLiteral("chromium"),
                 {QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                  QStringLiteral("--no-first-run"), QStringLiteral("--disable-sync"),
                  QStringLiteral("--disable-background-networking"),
                  QStringLiteral("--disable-component-update"),
                  // Its offer to translate a Bulgarian page took the focus
                  // from the page in a fresh Debian 13 system.
                  QStringLiteral("--disable-features=Translate"),
                  QStringLiteral("--force-renderer-accessibility"),
                  QStringLiteral("--user-data-dir=") + path(QStringLiteral("chromium")),
                  QStringLiteral("--app=") + QUrl::fromLocalFile(page).toString()},
                 QStringLiteral("Chromium"));
    if (QTest::currentTestFailed())
        return;
    playByKeys({
        {"4", {"Избран глас: тенор"}, {}},
        {"Tab", {"Име на изпълнител", "Алфредо Краус"}, {}},
        {"space", {"Вярно тенор: Алфредо Краус", "Анна Нетребко"}, {}},
        {"1", {"Избран глас: бас"}, {}},
        {"Down", {"Бениамино Джили"}, {}},
        {"space", {"Невярно бас: Бениамино Джили", "Борис Христов"}, {}},
        {"space", {}, {"Борис Христов"}},
        {"Tab", {"Изчисти"}, {}},
        {"space", {"Нов избор"}, {"Алфредо Краус"}},
        // The form is an application to Orca: the arrow chooses, as on
        // the desktop, instead of moving Orca's browsing cursor. Orca 43
        // says "мецосопран. selected radio button", Orca 48 "мецосопран
        // selected radio button.".
        {"Tab", {"бас"}, {}},
        {"Down", {"мецосопран", "selected radio button"}, {"Избран глас", "not selected"}},
    });
    stopProgram();
}

QTEST_GUILESS_MAIN(TestScreenReader)
#include "tst_screenreader.moc"
