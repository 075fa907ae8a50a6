// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import Channels, Export Channels and Export Channel Sheet as PDF, driven through
// their real dialogs on the offscreen platform.
#include "core/channels/ChannelCsv.h"
#include "core/document/ProgramDoc.h"
#include "core/image/Codecs.h"
#include "gui/dialogs/ChannelImportDlg.h"
#include "gui/shell/Help.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"
#include "tests/common/EditorTestEnv.h"
#include "tests/common/ProgramRun.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

/// Runs action on the next modal dialog of type T as soon as it is shown.
template <typename T> void OnModal(std::function<void(T *)> action)
{
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [action, poll](int tries) {
        if (auto *dlg = qobject_cast<T *>(QApplication::activeModalWidget())) {
            action(dlg);
            return;
        }
        if (tries > 0)
            QTimer::singleShot(20, [poll, tries] { (*poll)(tries - 1); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(250); });
}

/// Answers the next file dialog with path.
void ChooseFile(const QString &path)
{
    OnModal<QFileDialog>([path](QFileDialog *d) {
        d->selectFile(path);
        QMetaObject::invokeMethod(d, "accept");
    });
}

} // namespace

class TestChannelListGui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void importShowsPreviewAndIsOneChange();
    void importOnlyListedKeepsOtherChannels();
    void placementChoiceRereadsTheList();
    void cancelledImportChangesNothing();
    void unreadableListIsToldAndChangesNothing();
    void exportWritesTheGridAsSeen();
    void sheetPdfHasChannelsAndSettings();

private:
    void makeView();
    QString writeList(const QByteArray &csv);

    QTemporaryDir m_dir;
    QList<ShownMessage> m_messages;
    std::unique_ptr<CProgramDoc> m_doc;
    std::unique_ptr<CProgramView> m_view;
};

void TestChannelListGui::initTestCase()
{
    SetHelpWindowSuppressed(true);
    SetMessageHook([this](const ShownMessage &m) {
        m_messages << m;
        return QMessageBox::Ok;
    });
}

void TestChannelListGui::init()
{
    QVERIFY(editortest::OpenTestIni(m_dir));
    g_bChinese = false;
    g_strAppDir = m_dir.path() + QLatin1Char('/');
    m_messages.clear();
    makeView();
}

void TestChannelListGui::makeView()
{
    m_view.reset();
    m_doc = std::make_unique<CProgramDoc>();
    m_doc->OnNewDocument();
    m_view = std::make_unique<CProgramView>(m_doc.get());
    m_view->OnInitialUpdate();
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    // Channel 5 typed into the grid, not yet stored into the image.
    m_view->grid()->setTextMatrix(5, ColRx, QStringLiteral("140.00000"));
    m_view->grid()->setTextMatrix(5, ColTx, QStringLiteral("140.00000"));
    const QStringList defaults { "None", "None", "High", "No", "Off", "Wide", "No" };
    for (int i = 0; i < defaults.size(); ++i)
        m_view->grid()->setTextMatrix(5, ColDecode + i, defaults.at(i));
}

QString TestChannelListGui::writeList(const QByteArray &csv)
{
    const QString path = m_dir.filePath(QStringLiteral("list.csv"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(csv) != csv.size())
        qFatal("cannot write the list");
    return path;
}

void TestChannelListGui::importShowsPreviewAndIsOneChange()
{
    const QString list = writeList("Location,Frequency,Duplex,Offset,Tone,cToneFreq\n"
                                   "2,145.125,+,0.6,TSQL,67.0\n"
                                   "3,999,,,,\n"
                                   "9,146.5,,,,\n");
    int signals_ = 0;
    connect(m_doc.get(), &CProgramDoc::imageChanged, this, [&] { ++signals_; });
    QStringList preview;
    QString problems;
    ChooseFile(list);
    OnModal<CChannelImportDlg>([&](CChannelImportDlg *d) {
        auto *table = d->findChild<QTableWidget *>(QStringLiteral("preview"));
        for (int r = 0; r < table->rowCount(); ++r)
            preview << table->item(r, 0)->text() + QLatin1Char('>') + table->item(r, 1)->text()
                    + QLatin1Char(' ') + table->item(r, 2)->text() + QLatin1Char(' ')
                    + table->item(r, 4)->text();
        problems = d->findChild<QPlainTextEdit *>(QStringLiteral("problems"))->toPlainText();
        QVERIFY(d->findChild<QRadioButton *>(QStringLiteral("replaceAll"))->isChecked());
        d->accept();
    });
    m_view->OnImportChannels();
    QCOMPARE(preview, QStringList({ "2>2 145.12500 67.0", "4>9 146.50000 None" }));
    QVERIFY2(
        problems.startsWith(QLatin1String("line 3: receive frequency 999")), qPrintable(problems));
    QCOMPARE(signals_, 1);
    // The grid shows the import; channel 5, typed but not in the list, was replaced.
    const ChannelTable t = m_view->table();
    QCOMPARE(t.text(2, ColTx), QStringLiteral("145.72500"));
    QCOMPARE(t.text(2, ColEncode), QStringLiteral("67.0"));
    QCOMPARE(t.text(9, ColRx), QStringLiteral("146.50000"));
    QCOMPARE(t.text(5, ColRx), QString());
    QCOMPARE(FrequencyUnits(m_doc->m_image.channel(2).rxBytes()), 14512500);
    QVERIFY(m_messages.isEmpty());
}

void TestChannelListGui::importOnlyListedKeepsOtherChannels()
{
    const QString list = writeList("Frequency\n150\n");
    ChooseFile(list);
    OnModal<CChannelImportDlg>([&](CChannelImportDlg *d) {
        d->findChild<QRadioButton *>(QStringLiteral("onlyListed"))->setChecked(true);
        d->accept();
    });
    m_view->OnImportChannels();
    const ChannelTable t = m_view->table();
    QCOMPARE(t.text(1, ColRx), QStringLiteral("150.00000"));
    // The channel typed into the grid before the import is kept, and now in the image.
    QCOMPARE(t.text(5, ColRx), QStringLiteral("140.00000"));
    QCOMPARE(FrequencyUnits(m_doc->m_image.channel(5).rxBytes()), 14000000);
}

void TestChannelListGui::placementChoiceRereadsTheList()
{
    const BandLimits band { 13000000, 16000000 };
    CChannelImportDlg dlg(
        "Location,Frequency\n9,150\n3,151\n", QStringLiteral("l.csv"), m_doc->m_image, band);
    auto *table = dlg.findChild<QTableWidget *>(QStringLiteral("preview"));
    auto *placement = dlg.findChild<QComboBox *>(QStringLiteral("placement"));
    auto *first = dlg.findChild<QSpinBox *>(QStringLiteral("firstChannel"));
    auto *rule = dlg.findChild<QLabel *>(QStringLiteral("rule"));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("9"));
    QVERIFY(!first->isEnabled());
    placement->setCurrentIndex(2); // in file order
    QVERIFY(first->isEnabled());
    first->setValue(15);
    QCOMPARE(rule->text(), QStringLiteral("Rows placed in file order from channel 15."));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("15"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("16"));
    const MemoryImage after = dlg.after();
    QCOMPARE(FrequencyUnits(after.channel(16).rxBytes()), 15100000);
    QVERIFY(after.channel(9).isEmpty());
}

void TestChannelListGui::cancelledImportChangesNothing()
{
    const MemoryImage before = m_doc->m_image;
    const ChannelTable grid = m_view->table();
    ChooseFile(writeList("Frequency\n150\n"));
    OnModal<CChannelImportDlg>([](CChannelImportDlg *d) { d->reject(); });
    m_view->OnImportChannels();
    QVERIFY(m_doc->m_image == before);
    QVERIFY(m_view->table() == grid);
}

void TestChannelListGui::unreadableListIsToldAndChangesNothing()
{
    const MemoryImage before = m_doc->m_image;
    ChooseFile(writeList("Location,Name\n1,x\n"));
    m_view->OnImportChannels();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().text.contains(QLatin1String("no Frequency column")),
        qPrintable(m_messages.first().text));
    QVERIFY(m_doc->m_image == before);
}

void TestChannelListGui::exportWritesTheGridAsSeen()
{
    const QString path = m_dir.filePath(QStringLiteral("out"));
    ChooseFile(path);
    m_view->OnExportChannels();
    QVERIFY(m_messages.isEmpty());
    const QByteArray csv = testing::ReadAll(path + QStringLiteral(".csv"));
    QCOMPARE(csv.count('\n'), 2);
    QVERIFY2(csv.contains("\n5,,140.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,S,"
                          "5.0W,busylock=off; compand=no,,,,\n"),
        csv.constData());
    // A folder that cannot be written: told with the system's reason.
    ChooseFile(m_dir.filePath(QStringLiteral("missing/out.csv")));
    m_view->OnExportChannels();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().text.contains(QLatin1String("No such file or directory")));
}

void TestChannelListGui::sheetPdfHasChannelsAndSettings()
{
    const QString path = m_dir.filePath(QStringLiteral("sheet.pdf"));
    ChooseFile(path);
    m_view->OnExportChannelSheetPdf();
    QVERIFY(m_messages.isEmpty());
    const auto info = testing::RunProgram(QStringLiteral("pdfinfo"), { path });
    if (info.exitCode < 0)
        QSKIP("pdfinfo is not installed");
    QVERIFY(info.out.contains("Pages:           1"));
    const auto text = testing::RunProgram(QStringLiteral("pdftotext"), { "-layout", path, "-" });
    for (const char *expected : { "Channel Sheet", "Radio type: ZL-260", "Band: 130 - 160MHz",
             "140.00000", "Optional Features", "Scan Information",
             "Time-Out Timer:", "Tx Dwell Time:", "Compand" })
        QVERIFY2(text.out.contains(expected), expected);
}

QTEST_MAIN(TestChannelListGui)
#include "tst_channel_list_gui.moc"
