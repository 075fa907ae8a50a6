// SPDX-License-Identifier: GPL-3.0-or-later
// The report and the channel sheet printed through a real CUPS queue: a private
// cupsd in a temporary folder, with a PDF printer whose pages land in a file.
#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "gui/print/PrintSetup.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/prctl.h>

namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kQueue = QStringLiteral("RadioPdf");

// Runs answer on the first modal dialog of type T that appears.
template <typename T> void whenModal(std::function<void(T *)> answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(15000)) {
        p.kill();
        p.waitForFinished(2000);
        return QStringLiteral("(%1 did not finish)").arg(program);
    }
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

/// cupsd with its own configuration, spool and socket, and one PDF queue.
class PrivateCups
{
public:
    ~PrivateCups()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(5000)) {
                m_cupsd.kill();
                m_cupsd.waitForFinished(2000);
            }
        }
    }

    /// Empty when the server and its queue are up; else why not.
    QString start()
    {
        const QString root = m_dir.path();
        for (const char *d : { "spool", "tmp", "cache", "state", "log", "bin/backend", "out" })
            QDir(root).mkpath(QLatin1String(d));
        // The backend runs as the user "lp" when cupsd runs as root: it must reach the output.
        QFile::setPermissions(root, QFile::permissions(root) | QFile::ExeOther | QFile::ExeGroup);
        QFile::setPermissions(
            m_dir.filePath(QStringLiteral("out")), QFileDevice::Permissions(0x7777));
        QFile::link(
            QStringLiteral("/usr/lib/cups/daemon"), m_dir.filePath(QStringLiteral("bin/daemon")));
        const QString backend = m_dir.filePath(QStringLiteral("bin/backend/pdfout"));
        QFile::copy(QStringLiteral(RADIOPROG_TEST_DATA "/cups/pdfout"), backend);
        // A 0700 backend is run as the server's own user, which can write to out/.
        QFile::setPermissions(backend, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        write(QStringLiteral("cupsd.conf"),
            "Listen " + socket().toUtf8()
                + "\nLogLevel warn\n<Location />\n  Order allow,deny\n  Allow all\n"
                  "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                  "  </Limit>\n</Policy>\n");
        const QByteArray r = root.toUtf8();
        write(QStringLiteral("cups-files.conf"),
            "ServerRoot " + r + "\nServerBin " + r + "/bin\nRequestRoot " + r + "/spool\nTempDir "
                + r + "/tmp\nCacheDir " + r + "/cache\nStateDir " + r + "/state\nErrorLog " + r
                + "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r
                + "/log/page_log\nSandboxing Relaxed\n");
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        // A test killed by its time limit must not leave the server behind.
        m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_cupsd.start(kCupsd,
            { QStringLiteral("-f"), QStringLiteral("-c"),
                m_dir.filePath(QStringLiteral("cupsd.conf")), QStringLiteral("-s"),
                m_dir.filePath(QStringLiteral("cups-files.conf")) });
        if (!m_cupsd.waitForStarted(5000))
            return QStringLiteral("cupsd did not start: ") + m_cupsd.errorString();
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(socket()) && m_cupsd.state() == QProcess::Running
            && waited.elapsed() < 10000)
            QTest::qWait(50);
        if (!QFile::exists(socket()))
            return QStringLiteral("cupsd did not open its socket: ")
                + QString::fromUtf8(m_cupsd.readAll()) + log();
        const QString added = run(QStringLiteral("lpadmin"),
            { QStringLiteral("-p"), kQueue, QStringLiteral("-E"), QStringLiteral("-v"),
                QStringLiteral("pdfout:") + output(), QStringLiteral("-P"),
                QStringLiteral(RADIOPROG_TEST_DATA "/cups/radioprog-test-pdf.ppd") });
        run(QStringLiteral("lpadmin"), { QStringLiteral("-d"), kQueue });
        if (!run(QStringLiteral("lpstat"), { QStringLiteral("-p"), kQueue }).contains(kQueue))
            return QStringLiteral("the queue could not be made: ") + added;
        return QString();
    }

    QString socket() const { return m_dir.filePath(QStringLiteral("cups.sock")); }
    QString output() const { return m_dir.filePath(QStringLiteral("out/job.pdf")); }
    /// What the server wrote about the finished jobs: queue, user, id, ..., name, media.
    QString pageLog() const
    {
        QFile f(m_dir.filePath(QStringLiteral("log/page_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    QString log() const
    {
        QFile f(m_dir.filePath(QStringLiteral("log/error_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll().right(2000)) : QString();
    }

private:
    void write(const QString &name, const QByteArray &text)
    {
        QFile f(m_dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(text);
    }

    QTemporaryDir m_dir;
    QProcess m_cupsd;
};

QString pdfInfo(const QString &pdf)
{
    return run(QStringLiteral("pdfinfo"), { pdf });
}

} // namespace

class TestCupsPrinting : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (!QFile::exists(kCupsd))
            QSKIP("cupsd is not installed (Debian package cups-daemon)");
        // Before Qt first asks CUPS for its printers: every question goes to the private server.
        qputenv("CUPS_SERVER", QFile::encodeName(m_cups.socket()));
        const QString why = m_cups.start();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no private CUPS server: ") + why));
        QStandardPaths::setTestModeEnabled(true);
        SetMessageHook([this](const ShownMessage &m) {
            m_messages << m.text;
            return QMessageBox::Ok;
        });
        // Print Setup chooses A5 on a queue whose default is Letter.
        whenModal<QPageSetupDialog>([](QPageSetupDialog *d) {
            auto *size = d->findChild<QComboBox *>(QStringLiteral("pageSizeCombo"));
            QVERIFY(size);
            const int a5 = size->findText(QStringLiteral("A5"), Qt::MatchStartsWith);
            QVERIFY(a5 >= 0);
            size->setCurrentIndex(a5);
            d->accept();
        });
        OnFilePrintSetup(nullptr);
        QCOMPARE(SharedPrinter().printerName(), kQueue);
    }

    void init()
    {
        m_messages.clear();
        QFile::remove(m_cups.output());
        m_doc = std::make_unique<CProgramDoc>();
        QVERIFY(m_doc->OnOpenDocument(QStringLiteral(RADIOPROG_TEST_DATA "/report-16ch.dat")));
        m_view = std::make_unique<CProgramView>(m_doc.get());
        m_view->OnInitialUpdate();
    }
    void cleanup()
    {
        m_view.reset();
        m_doc.reset();
        g_bChinese = false;
    }

    void printsThroughTheQueue_data()
    {
        QTest::addColumn<bool>("sheet");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<int>("pages");
        QTest::newRow("report, English") << false << false << 4;
        QTest::newRow("report, Chinese") << false << true << 4;
        QTest::newRow("sheet, English") << true << false << 1;
        QTest::newRow("sheet, Chinese") << true << true << 1;
    }

    void printsThroughTheQueue()
    {
        QFETCH(bool, sheet);
        QFETCH(bool, chinese);
        QFETCH(int, pages);
        g_bChinese = chinese;
        m_view->ImageToGrid();
        const int jobsBefore = m_cups.pageLog().count(QStringLiteral("report-16ch.dat"));
        whenModal<QPrintDialog>([](QPrintDialog *d) { d->accept(); });
        if (sheet)
            m_view->OnPrintChannelSheet();
        else
            m_view->OnFilePrint();
        QCOMPARE(m_messages, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(
            m_cups.pageLog().count(QStringLiteral("report-16ch.dat")) > jobsBefore, 20000);
        const QString info = pdfInfo(m_cups.output());
        QVERIFY2(info.contains(QStringLiteral("Pages:           %1").arg(pages)), qPrintable(info));
        // The paper of Print Setup, not the queue's Letter.
        QVERIFY2(info.contains(QStringLiteral("(A5)")), qPrintable(info));
        if (chinese) {
            // Every font embedded, a Chinese one among them: the page reads the same anywhere.
            const QString fonts = run(QStringLiteral("pdffonts"), { m_cups.output() });
            static const QRegularExpression row(
                QStringLiteral("^(\\S+).*\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$"));
            static const QRegularExpression cjk(QStringLiteral("WenQuanYi|CJK|Hei|Song|Ming"));
            bool chineseFont = false;
            for (const QString &line : fonts.split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch m = row.match(line.trimmed());
                if (!m.hasMatch())
                    continue;
                QVERIFY2(m.captured(2) == QLatin1String("yes"), qPrintable(fonts));
                chineseFont = chineseFont || m.captured(1).contains(cjk);
            }
            QVERIFY2(chineseFont, qPrintable(fonts));
            const QString text
                = run(QStringLiteral("pdftotext"), { m_cups.output(), QStringLiteral("-") });
            QVERIFY2(
                text.contains(QString::fromUtf8(sheet ? "信道" : "可选功能")), qPrintable(text));
        }
    }

    void refusedJobIsTold()
    {
        run(QStringLiteral("cupsreject"), { kQueue });
        whenModal<QPrintDialog>([](QPrintDialog *d) { d->accept(); });
        m_view->OnFilePrint();
        run(QStringLiteral("cupsaccept"), { kQueue });
        QCOMPARE(m_messages.size(), 1);
        const QStringList lines = m_messages.first().split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("The report could not be printed."));
        QVERIFY2(lines.size() == 2 && !lines.at(1).isEmpty(), qPrintable(m_messages.first()));
        QVERIFY(!QFile::exists(m_cups.output()));
    }

private:
    PrivateCups m_cups;
    std::unique_ptr<CProgramDoc> m_doc;
    std::unique_ptr<CProgramView> m_view;
    QStringList m_messages;
};

QTEST_MAIN(TestCupsPrinting)
#include "tst_cups_printing.moc"
