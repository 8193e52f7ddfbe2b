// The Debian package of this build (cmake --build <build> --target package): the files an
// installation needs where Debian keeps them, the fields dpkg reads, a guide whose every link
// leads somewhere, and installed programs that find their shipped files.
#include "support/testutil.h"
#include "version.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace payvo::test;

namespace
{

const QString kId = QStringLiteral(PAYVO_APP_ID);

// Runs a program to its end: its standard output, or a failure of the test.
QString output(const QString& program, const QStringList& args, const QStringList& env = {})
{
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& pair : env)
        e.insert(pair.section('=', 0, 0), pair.section('=', 1));
    p.setProcessEnvironment(e);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        QTest::qFail(
            qPrintable(program + " " + args.join(' ') + " failed: " + p.readAllStandardError()), __FILE__, __LINE__);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root; // the package unpacked: m_root/usr/...
    QString m_deb;

    QString installed(const QString& path) const { return m_root.path() + path; }

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("dpkg-deb").isEmpty())
            QSKIP("dpkg-deb is missing (package dpkg): the package cannot be read");
        const QStringList debs = QDir(PAYVO_BUILD_DIR).entryList({ QStringLiteral("payvo_" PAYVO_VERSION "_*.deb") });
        QVERIFY2(debs.size() == 1,
            "no package of this version in " PAYVO_BUILD_DIR ": make it with cmake --build <build> --target package");
        m_deb = QDir(PAYVO_BUILD_DIR).filePath(debs.first());
        output("dpkg-deb", { "-x", m_deb, m_root.path() });
    }

    void contents_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("program");
        for (const char* p : { "/usr/bin/payvo", "/usr/bin/payvo-cli" })
            QTest::newRow(p) << p << true;
        QStringList files = { "/usr/share/payvo/Payvo.ini", "/usr/share/payvo/Demo.lge",
            "/usr/share/payvo/guide/index.html", "/usr/share/applications/" + kId + ".desktop",
            "/usr/share/metainfo/" + kId + ".metainfo.xml", "/usr/share/icons/hicolor/scalable/apps/" + kId + ".svg",
            "/usr/share/man/man1/payvo.1.gz", "/usr/share/man/man1/payvo-cli.1.gz", "/usr/share/doc/payvo/copyright",
            "/usr/share/doc/payvo/changelog.gz" };
        for (const int size : { 16, 32, 48, 64, 128, 256 })
            files << QStringLiteral("/usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kId);
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << f << false;
    }
    void contents()
    {
        QFETCH(QString, path);
        QFETCH(bool, program);
        const QFileInfo f(installed(path));
        QVERIFY2(f.isFile() && f.size() > 0, qPrintable(path));
        QCOMPARE(f.isExecutable(), program);
    }

    // Version from the project, and the libraries dpkg-shlibdeps found with the platform plugins.
    void control()
    {
        QCOMPARE(output("dpkg-deb", { "-f", m_deb, "Package" }), "payvo\n");
        QCOMPARE(output("dpkg-deb", { "-f", m_deb, "Version" }), PAYVO_VERSION "\n");
        const QString depends = output("dpkg-deb", { "-f", m_deb, "Depends" });
        for (const char* d : { "libc6", "libqt6core6", "libqt6widgets6", "libsqlite3-0", "qt6-qpa-plugins" })
            QVERIFY2(depends.contains(QLatin1String(d)), qPrintable(depends));
        // Nothing of the build beyond what an installation needs.
        const QString listing = output("dpkg-deb", { "-c", m_deb });
        QVERIFY2(!listing.contains(QRegularExpression("tst_|bench_|leaguegen|screenshots|iconpng|\\.a\\n")),
            qPrintable(listing));
    }

    // Every link and picture of the guide leads to a file of the package, and to a section of
    // that page where it names one.
    void guideLinks()
    {
        const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\":]+)\""));
        QDirIterator pages(installed("/usr/share/payvo/guide"), { "*.html" });
        int checked = 0;
        while (pages.hasNext()) {
            const QString page = pages.next();
            for (const QRegularExpressionMatch& m : link.globalMatch(QString::fromUtf8(readAll(page)))) {
                const QString target = m.captured(1).section('#', 0, 0);
                const QString anchor = m.captured(1).section('#', 1);
                const QString file = target.isEmpty() ? page : QFileInfo(page).dir().filePath(target);
                QVERIFY2(QFileInfo(file).isFile(), qPrintable(page + ": " + m.captured(1)));
                QVERIFY2(anchor.isEmpty() || readAll(file).contains("name=\"" + anchor.toUtf8() + "\""),
                    qPrintable(page + ": " + m.captured(1)));
                ++checked;
            }
        }
        QVERIFY(checked > 50);
    }

    // The installed payvo-cli, run by a user for the first time: it finds the shipped default
    // from its own folder and makes the user's settings file from it.
    void installedCliMakesTheUsersSettingsFile()
    {
        QTemporaryDir config;
        const QString out
            = output(installed("/usr/bin/payvo-cli"), { "--version" }, { "XDG_CONFIG_HOME=" + config.path() });
        QCOMPARE(out, "Payvo " PAYVO_VERSION "\nSettings file: " + config.filePath("Payvo/Payvo.ini") + "\n");
        QCOMPARE(readAll(config.filePath("Payvo/Payvo.ini")), readAll(installed("/usr/share/payvo/Payvo.ini")));
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
