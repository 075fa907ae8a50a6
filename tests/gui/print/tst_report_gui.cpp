// SPDX-License-Identifier: GPL-3.0-or-later
// Print, preview, print setup and PDF export driven through the channel view,
// with Qt's own dialogs answered as a user would.
#include "core/document/ProgramDoc.h"
#include "gui/print/PrintSetup.h"
#include "gui/print/ViewReport.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ProgramView.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

const QString kFixture = QStringLiteral(RADIOPROG_TEST_DATA "/report-16ch.dat");

// Runs answer on the first modal dialog of type T that appears; true once it ran.
template <typename T> std::shared_ptr<bool> whenModal(std::function<void(T *)> answer)
{
    auto done = std::make_shared<bool>(false);
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, done] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            *done = true;
            answer(dialog);
        }
    });
    timer->start();
    return done;
}

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), { pdf });
    p.waitForFinished(60000);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Empties channels first..last in the image (most significant Rx byte 0xFF).
void emptyChannels(MemoryImage &image, int first, int last)
{
    for (int n = first; n <= last; ++n)
        image[mem::channelOffset(n) + 3] = 0xFF;
}

} // namespace

class TestReportGui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        SetMessageHook([this](const ShownMessage &m) {
            m_messages << m.text;
            return QMessageBox::Ok;
        });
    }

    void init()
    {
        m_messages.clear();
        m_doc = std::make_unique<CProgramDoc>();
        QVERIFY(m_doc->OnOpenDocument(kFixture));
        m_view = std::make_unique<CProgramView>(m_doc.get());
        m_view->OnInitialUpdate();
        QCOMPARE(m_view->table().text(16, 1), QStringLiteral("145.20000"));
    }
    void cleanup()
    {
        m_view.reset();
        m_doc.reset();
    }

    void previewCountsTheChannelsAfreshEachTime()
    {
        int pages = -1;
        auto done = whenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *d) {
            auto *preview = d->findChild<QPrintPreviewWidget *>();
            pages = preview ? preview->pageCount() : -2;
            d->reject();
        });
        m_view->OnFilePrintPreview();
        QVERIFY(*done);
        QCOMPARE(pages, 4);
        QCOMPARE(m_view->m_nUsedChannels, 16);

        // Channels cleared between two printings: the rest still print, on fewer pages.
        emptyChannels(m_doc->m_image, 3, 16);
        m_view->ImageToGrid();
        done = whenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *d) {
            pages = d->findChild<QPrintPreviewWidget *>()->pageCount();
            d->reject();
        });
        m_view->OnFilePrintPreview();
        QVERIFY(*done);
        QCOMPARE(pages, 2);
        QCOMPARE(m_view->m_nUsedChannels, 2);
    }

    void exportPdfThroughTheFileDialog()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("customer"));
        QString suggested;
        auto done = whenModal<QFileDialog>([&](QFileDialog *d) {
            suggested = d->selectedFiles().value(0);
            d->setDirectory(dir.path());
            // Typed as a user would type it, without the suffix.
            if (auto *name = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(QStringLiteral("customer"));
            static_cast<QDialog *>(d)->accept();
        });
        m_view->OnExportPdf();
        QVERIFY(*done);
        QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("report-16ch.pdf"));
        const QString pdf = target + QStringLiteral(".pdf"); // the suffix is added
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(pdfPages(pdf), 4);
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("Page 4 of 4")));
        QVERIFY(text.contains(QStringLiteral("Channel 16:")));
        QVERIFY(m_messages.isEmpty());
    }

    void exportFailureIsReported()
    {
        QString error;
        QVERIFY(!ExportViewReportPdf(ViewReportInput(m_doc->m_image, m_view->table()),
            QStringLiteral("/nonexistent/dir/r.pdf"), &error));
        QVERIFY(!error.isEmpty());
    }

    void printGoesToThePrinter()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
        QPrinter &printer = SharedPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        int maxPage = -1;
        auto done = whenModal<QPrintDialog>([&](QPrintDialog *d) {
            maxPage = d->maxPage();
            d->accept();
        });
        m_view->OnFilePrint();
        QVERIFY(*done);
        QCOMPARE(maxPage, 4);
        QCOMPARE(pdfPages(pdf), 4);
        QVERIFY(m_messages.isEmpty());
    }

    void pageRangePrintsOnlyThosePages()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("range.pdf"));
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(PrintReportOn(printer, ViewReportInput(m_doc->m_image, m_view->table()), 2, 3));
        QCOMPARE(pdfPages(pdf), 2);
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("Page 2 of 4")));
        QVERIFY(text.contains(QStringLiteral("Page 3 of 4")));
        QVERIFY(!text.contains(QStringLiteral("Page 1 of 4")));
        QVERIFY(!text.contains(QStringLiteral("Channel 15:")));
    }

    void printSetupEditsTheSharedPrinter()
    {
        QPrinter *seen = nullptr;
        auto done = whenModal<QPageSetupDialog>([&](QPageSetupDialog *d) {
            seen = d->printer();
            d->reject();
        });
        OnFilePrintSetup(m_view.get());
        QVERIFY(*done);
        QCOMPARE(seen, &SharedPrinter());
    }

private:
    std::unique_ptr<CProgramDoc> m_doc;
    std::unique_ptr<CProgramView> m_view;
    QStringList m_messages;
};

QTEST_MAIN(TestReportGui)
#include "tst_report_gui.moc"
