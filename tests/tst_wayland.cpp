// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

// Runs the real program natively on Wayland under a headless sway and checks
// what the compositor sees: the window's app id and size, its pixels at the
// output's scale, and a game played by keys, read back through the clipboard.
class TestWayland : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir scratch;
    QProcessEnvironment desktop;
    uid_t uid = ::getuid();
    gid_t gid = ::getgid();
    std::vector<std::unique_ptr<QProcess>> started;

    QString path(const QString &name) const { return scratch.filePath(name); }
    void prepare(QProcess &process);
    QProcess *start(const QString &program, const QStringList &arguments);
    void stop(QProcess *process);
    std::optional<QByteArray> run(const QString &program, const QStringList &arguments);
    QByteArray waitFor(const char *what, const std::function<bool()> &ready);
    QJsonDocument sway(const char *request);
    QJsonObject windowOf(qint64 pid);
    int keyboards();

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void playsByKeys_data();
    void playsByKeys();
};

namespace {

// sway refuses to run as root; test.sh creates this account for it.
const char *const Account = "tembrela-test";

// Floated windows keep the size they ask for, without a border.
const QByteArray SwayConfig = R"(output * resolution 1920x1080 scale_filter nearest
for_window [shell="xdg_shell"] floating enable, border none
)";

// Qt 6.4's Wayland client keeps until the end the objects it binds for the
// compositor's globals, its activation requests and the data a copy hands
// to the clipboard, and Mesa's EGL its state: seen in the sanitizer build,
// none of it the quiz's. A leak with none of these on its stack still
// fails here, and the quiz's own leaks fail the offscreen tests as well.
const QByteArray ToolkitLeaks = R"(leak:libQt6WaylandClient.so.6
leak:libxdg-shell.so
leak:libEGL_mesa.so.0
leak:QWidgetTextControl::createMimeDataFromSelection
)";

QJsonObject findNode(const QJsonObject &node, qint64 pid)
{
    if (node.value(QStringLiteral("pid")).toInteger() == pid)
        return node;
    for (const char *children : {"nodes", "floating_nodes"})
        for (const QJsonValue &child : node.value(QLatin1String(children)).toArray())
            if (const QJsonObject found = findNode(child.toObject(), pid); !found.isEmpty())
                return found;
    return {};
}

QRect rectangle(const QJsonObject &window, const char *name)
{
    const QJsonObject rect = window.value(QLatin1String(name)).toObject();
    return QRect(rect.value(QStringLiteral("x")).toInt(), rect.value(QStringLiteral("y")).toInt(),
                 rect.value(QStringLiteral("width")).toInt(),
                 rect.value(QStringLiteral("height")).toInt());
}

// A window drawn for scale 1 and doubled by the compositor (with nearest
// filtering) is made of uniform 2×2 blocks; one drawn at scale 2 is not.
double shareOfDetailedBlocks(const QImage &image)
{
    qsizetype detailed = 0, blocks = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2, ++blocks) {
            const QRgb corner = image.pixel(x, y);
            detailed += image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner
                        || image.pixel(x + 1, y + 1) != corner;
        }
    return blocks ? double(detailed) / double(blocks) : 0;
}

} // namespace

void TestWayland::prepare(QProcess &process)
{
    process.setProcessEnvironment(desktop);
    process.setWorkingDirectory(scratch.path());
    if (uid != ::getuid()) {
        process.setChildProcessModifier([uid = uid, gid = gid] {
            if (::setgroups(1, &gid) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
                ::_exit(127);
        });
    }
}

// Runs until stopped or the test ends; whether it is ready, the test asks
// sway.
QProcess *TestWayland::start(const QString &program, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    prepare(*process);
    process->setStandardErrorFile(path(program + QStringLiteral(".err")));
    process->start(program, arguments);
    return started.emplace_back(std::move(process)).get();
}

void TestWayland::stop(QProcess *process)
{
    process->terminate();
    process->waitForFinished();
    std::erase_if(started, [process](const auto &kept) { return kept.get() == process; });
}

std::optional<QByteArray> TestWayland::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    prepare(process);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

// Polls ready() for up to a minute, as QTRY_VERIFY does, and says why it
// gave up: at once, with its last words, when sway or the keyboard has
// exited, for nothing can come then.
QByteArray TestWayland::waitFor(const char *what, const std::function<bool()> &ready)
{
    const QDeadlineTimer deadline(60000);
    while (!ready()) {
        for (const auto &process : started) {
            if (process->state() != QProcess::NotRunning)
                continue;
            QFile errors(path(process->program() + QStringLiteral(".err")));
            const QByteArrayList lines = errors.open(QIODevice::ReadOnly)
                                             ? errors.readAll().trimmed().split('\n')
                                             : QByteArrayList();
            const QByteArray end =
                process->error() == QProcess::FailedToStart
                    ? " did not start (" + process->errorString().toUtf8() + ")"
                : process->exitStatus() == QProcess::CrashExit
                    ? QByteArray(" crashed")
                    : " exited with code " + QByteArray::number(process->exitCode());
            return process->program().toUtf8() + end + " while waiting for " + what
                   + "; its last lines:\n" + lines.mid(qMax(0, lines.size() - 20)).join('\n');
        }
        if (deadline.hasExpired())
            return QByteArray("a minute gone without ") + what;
        QTest::qWait(50);
    }
    return {};
}

// Fails the test as soon as waitFor() gives up.
#define WAIT_FOR(what, condition)                                                                  \
    do {                                                                                           \
        const QByteArray why = waitFor(what, [&] { return bool(condition); });                     \
        QVERIFY2(why.isEmpty(), why.constData());                                                  \
    } while (false)

// What sway answers to swaymsg -t REQUEST; empty when it cannot.
QJsonDocument TestWayland::sway(const char *request)
{
    return QJsonDocument::fromJson(
        run(QStringLiteral("swaymsg"), {"-r", "-t", QString::fromLatin1(request)}).value_or(""));
}

// The program's window as sway's tree describes it, empty until mapped.
QJsonObject TestWayland::windowOf(qint64 pid)
{
    return findNode(sway("get_tree").object(), pid);
}

int TestWayland::keyboards()
{
    const QJsonArray inputs = sway("get_inputs").array();
    return int(std::count_if(inputs.begin(), inputs.end(), [](const QJsonValue &input) {
        return input.toObject().value(QStringLiteral("type")).toString() == u"keyboard";
    }));
}

void TestWayland::initTestCase()
{
    QStringList missing;
    for (const char *tool : {"sway", "swaymsg", "wtype", "wl-paste", "grim"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            missing << QString::fromLatin1(tool);
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath)
                       + QStringLiteral("/platforms/libqwayland-generic.so")))
        missing << QStringLiteral("qt6-wayland");
    QVERIFY2(missing.isEmpty(),
             qPrintable(missing.join(u' ') + QStringLiteral(" missing: ./test.sh installs them")));
    if (uid == 0) {
        const passwd *account = ::getpwnam(Account);
        QVERIFY2(
            account,
            "sway refuses root and the account tembrela-test is missing: ./test.sh creates it");
        uid = account->pw_uid;
        gid = account->pw_gid;
    }

    // The account owns the whole desktop, the program copied in included:
    // the build folder may be out of its reach.
    QVERIFY(scratch.isValid());
    // Wayland wants its runtime folder private.
    for (const char *folder : {"home", "run"})
        QVERIFY(QDir(scratch.path())
                    .mkdir(QString::fromLatin1(folder), QFileDevice::ReadOwner
                                                            | QFileDevice::WriteOwner
                                                            | QFileDevice::ExeOwner));
    QVERIFY(QFile::copy(QStringLiteral(TEMBRELA_PROGRAM), path(QStringLiteral("tembrela"))));
    for (const auto &[name, content] :
         {std::pair{"sway.conf", SwayConfig}, std::pair{"leaks.supp", ToolkitLeaks}}) {
        QFile file(path(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    QStringList owned = QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &name : owned << QStringLiteral("."))
        QVERIFY(::chown(QFile::encodeName(path(name)).constData(), uid, gid) == 0);

    // Nothing of the caller's own session, but the sanitizers' options; and
    // a UTF-8 locale, which a minimal system may lack and without which Qt
    // says so on the error output.
    const QProcessEnvironment caller = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS"})
        if (caller.contains(QString::fromLatin1(name)))
            desktop.insert(QString::fromLatin1(name), caller.value(QString::fromLatin1(name)));
    desktop.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    desktop.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
    desktop.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("run")));
    desktop.insert(QStringLiteral("SWAYSOCK"), path(QStringLiteral("run/sway.sock")));
    desktop.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    desktop.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    desktop.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    start(QStringLiteral("sway"), {QStringLiteral("-c"), path(QStringLiteral("sway.conf"))});
    WAIT_FOR(
        "sway's output",
        run(QStringLiteral("swaymsg"), {"-t", "get_outputs"}).value_or("").contains("HEADLESS-1"));
    const QStringList sockets =
        QDir(path(QStringLiteral("run"))).entryList({"wayland-?"}, QDir::System);
    QCOMPARE(sockets.size(), 1);
    desktop.insert(QStringLiteral("WAYLAND_DISPLAY"), sockets.first());
}

void TestWayland::cleanupTestCase()
{
    while (!started.empty())
        stop(started.back().get());
}

void TestWayland::playsByKeys_data()
{
    QTest::addColumn<int>("scale");
    QTest::addRow("scale_1") << 1;
    QTest::addRow("scale_2") << 2;
}

void TestWayland::playsByKeys()
{
    QFETCH(int, scale);
    QVERIFY(run(QStringLiteral("swaymsg"), {"output", "*", "scale", QString::number(scale)}));

    // A keyboard that is the seat's, with its keymap, when the program
    // starts, as in a user's session. Without one, the seat gains a keyboard
    // with each wtype call and the program takes it up only after that
    // call's first key has gone by; and once such a keyboard has gone, the
    // seat has none, and a program started then is sent "no keymap", which
    // Qt 6.8 reports as "unknown keymap format: 0".
    WAIT_FOR("the keyboards of the row before gone", keyboards() == 0);
    QProcess *keyboard =
        start(QStringLiteral("wtype"), {QStringLiteral("-s"), QStringLiteral("86400000")});
    const auto stopKeyboard = qScopeGuard([&] { stop(keyboard); });
    WAIT_FOR("the row's keyboard, and no other", keyboards() == 1);
    QProcess program;
    prepare(program);
    QProcessEnvironment environment = desktop;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    // The toolkit's leaks are told by the libraries on their stacks, which
    // keep no frame pointers: only the full unwinder finds them.
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("print_suppressions=0:suppressions=")
                           + path(QStringLiteral("leaks.supp")));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS"))
                           + QStringLiteral(":fast_unwind_on_malloc=0"));
    program.setProcessEnvironment(environment);
    program.start(path(QStringLiteral("tembrela")), {});
    QVERIFY(program.waitForStarted());

    // Mapped, given the keyboard and drawn: the form's colour in its corner.
    // sway counts in the output's logical pixels, grim's picture in the
    // output's own.
    QJsonObject window;
    QRect area;
    QImage image;
    const QString grab = path(QStringLiteral("scale%1.png").arg(scale));
    const auto drawn = [&] {
        window = windowOf(program.processId());
        area = rectangle(window, "window_rect").translated(rectangle(window, "rect").topLeft());
        const QString geometry = QStringLiteral("%1,%2 %3x%4").arg(area.x()).arg(area.y());
        image = window.value(QStringLiteral("focused")).toBool()
                        && run(QStringLiteral("grim"),
                               {QStringLiteral("-g"), geometry.arg(area.width()).arg(area.height()),
                                grab})
                    ? QImage(grab)
                    : QImage();
        return !image.isNull() && image.pixelColor(4 * scale, 4 * scale) == QColor(192, 192, 255);
    };
    WAIT_FOR("the window mapped, focused and drawn", drawn());
    QCOMPARE(window.value(QStringLiteral("app_id")).toString(),
             QStringLiteral("org.example.tembrela"));
    QCOMPARE(area.size(), QSize(464, 345));
    QCOMPARE(image.size(), area.size() * scale);
    if (scale == 2)
        QVERIFY2(shareOfDetailedBlocks(image) > 0.05, "drawn at scale 1 and doubled");

    // Nothing of an earlier game is on the clipboard.
    QVERIFY(!run(QStringLiteral("wl-paste"), {"-n"}).value_or("").contains("Алфредо Краус"));
    // Tenor, the first performer (a tenor), bass, the next one (not a bass);
    // then the whole log copied from the log box.
    QVERIFY(
        run(QStringLiteral("wtype"),
            {"-k", "4",   "-k", "Tab",   "-k", "space", "-k", "1", "-k", "space", "-M", "shift",
             "-k", "Tab", "-m", "shift", "-M", "ctrl",  "-k", "a", "-k", "c",     "-m", "ctrl"}));
    const QByteArray verdicts = "Невярно бас: Анна Нетребко\nВярно тенор: Алфредо Краус\n";
    WAIT_FOR("the log on the clipboard",
             run(QStringLiteral("wl-paste"), {"-n"}).value_or("").startsWith(verdicts));

    // Closed as the compositor closes it, the program ends cleanly and has
    // said nothing.
    QVERIFY(
        run(QStringLiteral("swaymsg"), {QStringLiteral("[pid=%1] kill").arg(program.processId())}));
    QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 60000);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    const QByteArray said = program.readAllStandardError();
    QVERIFY2(said.isEmpty(), said.left(2000).constData());
    QCOMPARE(program.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
