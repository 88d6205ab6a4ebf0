#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QVersionNumber>

namespace {

const QString AppId = QStringLiteral("org.example.tembrela");

struct Run
{
    int exitCode;
    QString output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(300000))
        return {-1, QStringLiteral("did not finish: ") + process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir prefix;

    QHash<QString, QString> desktopEntry() const
    {
        QFile file(prefix.filePath("share/applications/" + AppId + ".desktop"));
        QHash<QString, QString> entry;
        if (!file.open(QIODevice::ReadOnly))
            return entry;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const qsizetype equals = line.indexOf('=');
            if (equals > 0)
                entry.insert(QString::fromUtf8(line.left(equals)),
                             QString::fromUtf8(line.mid(equals + 1)));
        }
        return entry;
    }

private Q_SLOTS:
    void initTestCase();
    void installsTheProgram();
    void desktopEntryListsTheQuiz();
    void windowClaimsItsEntry();
    void iconsComeInEverySize_data();
    void iconsComeInEverySize();
    void validatorsAccept_data();
    void validatorsAccept();
    void packageDependsOnTheToolkit();
};

void TestInstall::initTestCase()
{
    QVERIFY(prefix.isValid());
    const Run install = run(QStringLiteral(CMAKE_COMMAND),
                            {"--install", QStringLiteral(BUILD_DIR), "--prefix", prefix.path()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
}

void TestInstall::installsTheProgram()
{
    const QFileInfo program(prefix.filePath(QStringLiteral("bin/" PROGRAM_NAME)));
    QVERIFY(program.isFile());
    QVERIFY(program.isExecutable());

    QFile copyright(prefix.filePath(QStringLiteral("share/doc/tembrela/copyright")));
    QVERIFY(copyright.open(QIODevice::ReadOnly));
    const QByteArray text = copyright.readAll();
    QVERIFY(text.startsWith(
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
    QVERIFY(text.contains("\nLicense: GPL-3+\n"));
}

void TestInstall::desktopEntryListsTheQuiz()
{
    const QHash<QString, QString> entry = desktopEntry();
    QCOMPARE(entry.value("Name"), QStringLiteral("Тембрела"));
    QVERIFY(entry.value("Comment").contains(QStringLiteral("певчески глас")));
    QCOMPARE(entry.value("Exec"), QStringLiteral("tembrela"));
    QCOMPARE(entry.value("Icon"), AppId);
    const QStringList categories = entry.value("Categories").split(u';', Qt::SkipEmptyParts);
    QVERIFY(categories.contains("Education"));
    QVERIFY(categories.contains("Music"));
    QVERIFY(QFileInfo::exists(prefix.filePath("share/metainfo/" + AppId + ".metainfo.xml")));
}

// Docks and task switchers find the menu entry of a window by its class,
// and where the toolkit says it, by the entry's name. The installed
// program, started as the entry starts it, must claim its entry; the X
// server is the real client here.
void TestInstall::windowClaimsItsEntry()
{
    const QString server = QStandardPaths::findExecutable("Xvfb");
    const QString xwininfo = QStandardPaths::findExecutable("xwininfo");
    const QString xprop = QStandardPaths::findExecutable("xprop");
    QVERIFY2(!server.isEmpty() && !xwininfo.isEmpty() && !xprop.isEmpty(),
             "Xvfb, xwininfo or xprop is missing: ./test.sh installs them");
    // An X server resets when its last client leaves, and refuses clients
    // while it does: each look for the window below would otherwise race
    // the program's own first connection.
    QProcess x;
    x.start(server,
            {"-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
    QVERIFY(x.waitForReadyRead(30000));
    const QString display = ":" + QString::fromLatin1(x.readAllStandardOutput()).trimmed();

    const QHash<QString, QString> entry = desktopEntry();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    program.setProcessEnvironment(environment);
    program.start(prefix.filePath("bin/" + entry.value("Exec")), {});
    // xwininfo lists each top-level window with its class in brackets. A
    // program that has ended will show none: say how it ended, and what.
    QString window;
    QTRY_VERIFY_WITH_TIMEOUT(
        program.state() == QProcess::NotRunning
            || !(window = run(xwininfo, {"-display", display, "-root", "-children"})
                              .output.split(u'\n')
                              .filter(QStringLiteral("\": (\""))
                              .join(QString()))
                    .isEmpty(),
        30000);
    QVERIFY2(!window.isEmpty(),
             qPrintable((program.state() == QProcess::NotRunning
                             ? QStringLiteral("no window: the program ended with code %1 (%2)")
                                   .arg(program.exitCode())
                                   .arg(program.errorString())
                             : QStringLiteral("no window in 30 s from the running program"))
                        + QStringLiteral("; it said: ")
                        + QString::fromLocal8Bit(program.readAllStandardError().left(3000))));
    const QString id = window.section(u' ', 0, 0, QString::SectionSkipEmpty);
    const QString properties =
        run(xprop, {"-display", display, "-id", id, "WM_CLASS", "_KDE_NET_WM_DESKTOP_FILE"}).output;
    program.kill();
    program.waitForFinished();
    x.kill();
    x.waitForFinished();
    QVERIFY2(properties.contains(QStringLiteral("WM_CLASS(STRING) = \"%1\", \"%2\"")
                                     .arg(entry.value("Exec"), entry.value("StartupWMClass"))),
             qPrintable(properties));
    // Qt 6.4 does not yet pass the desktop file name on to X11.
    if (QLibraryInfo::version() >= QVersionNumber(6, 8))
        QVERIFY2(properties.contains("_KDE_NET_WM_DESKTOP_FILE(UTF8_STRING) = \"" + AppId + '"'),
                 qPrintable(properties));
}

void TestInstall::iconsComeInEverySize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {32, 48, 64, 128, 256})
        QTest::addRow("%d", size) << size;
}

void TestInstall::iconsComeInEverySize()
{
    QFETCH(int, size);
    const QString path = prefix.filePath(
        QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(AppId));
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    if (size == 32)
        QVERIFY(icon.colorCount() > 0 && icon.colorCount() <= 256); // a palette image
}

void TestInstall::validatorsAccept_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addRow("desktop_entry")
        << "desktop-file-validate" << QStringList() << "share/applications/" + AppId + ".desktop";
    QTest::addRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net"}
                              << "share/metainfo/" + AppId + ".metainfo.xml";
}

void TestInstall::validatorsAccept()
{
    QFETCH(QString, validator);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    const QString program = QStandardPaths::findExecutable(validator);
    QVERIFY2(!program.isEmpty(), qPrintable(validator + " is missing: ./test.sh installs it"));
    const Run check = run(program, arguments << prefix.filePath(file));
    QVERIFY2(check.exitCode == 0, qPrintable(check.output));
    QVERIFY2(!check.output.contains(QLatin1String("E: ")) && !check.output.contains("W: "),
             qPrintable(check.output));
}

void TestInstall::packageDependsOnTheToolkit()
{
    for (const char *tool : {"dpkg-deb", "dpkg-shlibdeps"})
        QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                 qPrintable(QString::fromLatin1(tool) + " is missing: ./test.sh installs it"));
    QTemporaryDir output;
    const Run pack =
        run(QStringLiteral(CPACK_COMMAND),
            {"--config", QStringLiteral(BUILD_DIR "/CPackConfig.cmake"), "-B", output.path()});
    QVERIFY2(pack.exitCode == 0, qPrintable(pack.output));
    const QStringList packages = QDir(output.path()).entryList({"*.deb"});
    QCOMPARE(packages.size(), 1);
    const QString deb = output.filePath(packages.first());

    const Run fields = run("dpkg-deb", {"-f", deb, "Package", "Depends", "Recommends", "Section"});
    QVERIFY2(fields.exitCode == 0, qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("Package: tembrela")), qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("libqt6widgets6")), qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("Section: education")),
             qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("Recommends: qt6-wayland\n")),
             qPrintable(fields.output));

    const Run contents = run("dpkg-deb", {"-c", deb});
    for (const QString &path :
         {QStringLiteral("./usr/bin/tembrela"), "./usr/share/applications/" + AppId + ".desktop",
          "./usr/share/metainfo/" + AppId + ".metainfo.xml",
          QStringLiteral("./usr/share/doc/tembrela/copyright"),
          "./usr/share/icons/hicolor/32x32/apps/" + AppId + ".png"})
        QVERIFY2(contents.output.contains(path), qPrintable(path));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
