// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
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
    // The build installed into install/, and packaged as tembrela.deb,
    // unpacked into unpacked/.
    QTemporaryDir scratch;
    QDir prefix{scratch.filePath("install")};
    QString package = scratch.filePath("tembrela.deb");
    QDir unpacked{scratch.filePath("unpacked")};

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
    QVERIFY(scratch.isValid());
    const Run install = run(QStringLiteral(CMAKE_COMMAND),
                            {"--install", QStringLiteral(BUILD_DIR), "--prefix", prefix.path()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));

    for (const char *tool : {"dpkg-deb", "dpkg-shlibdeps"})
        QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                 qPrintable(QString::fromLatin1(tool) + " is missing: ./test.sh installs it"));
    const QString output = scratch.filePath("cpack");
    const Run pack =
        run(QStringLiteral(CPACK_COMMAND),
            {"--config", QStringLiteral(BUILD_DIR "/CPackConfig.cmake"), "-B", output});
    QVERIFY2(pack.exitCode == 0, qPrintable(pack.output));
    const QStringList packages = QDir(output).entryList({"*.deb"});
    QCOMPARE(packages.size(), 1);
    QVERIFY(QFile::rename(QDir(output).filePath(packages.first()), package));
    const Run unpack = run("dpkg-deb", {"-x", package, unpacked.path()});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.output));
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
    // What each validator prints for a finding, down to its mere hints.
    QTest::addColumn<QString>("finding");
    const QString entry = "install/share/applications/" + AppId + ".desktop";
    QTest::addRow("desktop_entry")
        << "desktop-file-validate" << QStringList() << entry << ": (error|warning|hint): ";
    // Debian 13's AppStream 1.0 calls <developer_name> deprecated for its
    // <developer>, which Debian 12's AppStream 0.16 does not know: the
    // metainfo keeps the tag that both read.
    QTest::addRow("metainfo")
        << "appstreamcli" << QStringList{"validate", "--pedantic", "--no-net"}
        << "install/share/metainfo/" + AppId + ".metainfo.xml"
        << "^[EWIP]: (?!.*: (developer-name-tag-deprecated|developer-info-missing)$)";
#if TEMBRELA_HARDENED
    QTest::addRow("package") << "lintian" << QStringList{"--display-info", "--pedantic"}
                             << "tembrela.deb"
                             << "^[EWIPX]: ";
    // It finds control-flow protection by the program's IBT and SHSTK mark,
    // which the linker gives only when every object linked has it, and the
    // C library's start files of Debian 12 and 13 have not.
    QStringList hardening;
    if (!TEMBRELA_START_FILES_CET_MARKED)
        hardening << "--nocfprotection";
    // Debian 13's also asks every program for arm64's branch protection.
    if (QSysInfo::buildCpuArchitecture() != "arm64"
        && run("hardening-check", {"--help"}).output.contains("--nobranchprotection"))
        hardening << "--nobranchprotection";
    QTest::addRow("program") << "hardening-check" << hardening << "unpacked/usr/bin/" PROGRAM_NAME
                             << ": no, .*!$";
#endif
}

void TestInstall::validatorsAccept()
{
    QFETCH(QString, validator);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QString, finding);
    const QString program = QStandardPaths::findExecutable(validator);
    QVERIFY2(!program.isEmpty(), qPrintable(validator + " is missing: ./test.sh installs it"));
    const Run check = run(program, arguments << scratch.filePath(file));
    QVERIFY2(check.exitCode == 0, qPrintable(check.output));
    QVERIFY2(
        !check.output.contains(QRegularExpression(finding, QRegularExpression::MultilineOption)),
        qPrintable(check.output));
}

void TestInstall::packageDependsOnTheToolkit()
{
    const Run fields =
        run("dpkg-deb", {"-f", package, "Package", "Depends", "Recommends", "Section"});
    QVERIFY2(fields.exitCode == 0, qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("Package: tembrela")), qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("libqt6widgets6")), qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("Section: education")),
             qPrintable(fields.output));
    QVERIFY2(fields.output.contains(QLatin1String("Recommends: qt6-wayland\n")),
             qPrintable(fields.output));

    for (const QString &path :
         {QStringLiteral("usr/bin/tembrela"), "usr/share/applications/" + AppId + ".desktop",
          "usr/share/metainfo/" + AppId + ".metainfo.xml",
          QStringLiteral("usr/share/doc/tembrela/copyright"),
          QStringLiteral("usr/share/doc/tembrela/teachers-guide.bg.md.gz"),
          QStringLiteral("usr/share/man/man6/tembrela.6.gz"),
          QStringLiteral("usr/share/man/bg/man6/tembrela.6.gz"),
          "usr/share/icons/hicolor/32x32/apps/" + AppId + ".png"})
        QVERIFY2(unpacked.exists(path), qPrintable(path));

    // The newest entry of the Debian changelog is this version's.
    const Run changelog =
        run("gzip", {"-dc", unpacked.filePath("usr/share/doc/tembrela/changelog.gz")});
    QVERIFY2(changelog.output.startsWith("tembrela (" PROJECT_VERSION ") unstable; urgency="),
             qPrintable(changelog.output.left(200)));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
