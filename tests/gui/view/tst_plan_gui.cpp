// SPDX-License-Identifier: GPL-3.0-or-later
// The channel check where the user meets it: the grid's marks, the Check
// Channels window and its way back to a cell, and the extra question of the
// write review when the plan has errors.
#include "tests/common/EditorTestEnv.h"

#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/image/Codecs.h"
#include "gui/dialogs/CompareDlg.h"
#include "gui/dialogs/PlanCheckDlg.h"
#include "gui/dialogs/PlanFindingsList.h"
#include "gui/shell/MessageBox.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <memory>

class TestPlanGui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void marksFollowTheImage();
    void checkWindowGoesToTheCell();
    void writeReviewAsksOnceMoreOnErrors_data();
    void writeReviewAsksOnceMoreOnErrors();

private:
    QTemporaryDir m_dir;
    QList<ShownMessage> m_messages;
    QMessageBox::StandardButton m_answer = QMessageBox::No;
};

void TestPlanGui::init()
{
    QVERIFY(editortest::OpenTestIni(m_dir));
    g_bChinese = false;
    g_strAppDir = m_dir.path() + QLatin1Char('/');
    m_messages.clear();
    SetMessageHook([this](const ShownMessage &m) {
        m_messages << m;
        return m_answer;
    });
}

void TestPlanGui::marksFollowTheImage()
{
    CProgramDoc doc;
    QVERIFY(doc.OnOpenDocument(QStringLiteral(RADIOPROG_TEST_DATA "/editor/channels.dat")));
    CProgramView view(&doc);
    view.OnInitialUpdate();
    CChannelGrid *grid = view.grid();
    // Channel 1 lies outside the file's band (400 - 480MHz); channel 3 is empty.
    const QTableWidgetItem *rx1 = grid->item(0, ColRx);
    QVERIFY(!rx1->icon().isNull());
    QVERIFY2(rx1->toolTip().startsWith(QStringLiteral("Error: Rx Frequency 145.12500 MHz")),
        qPrintable(rx1->toolTip()));
    QCOMPARE(rx1->data(Qt::AccessibleDescriptionRole).toString(), rx1->toolTip());
    const QTableWidgetItem *rx3 = grid->item(2, ColRx);
    QVERIFY(!rx3 || (rx3->icon().isNull() && rx3->toolTip().isEmpty()));

    // An in-band frequency takes the mark away at once.
    MemoryImage fixed = doc.m_image;
    fixed.channel(1).setRxBytes(EncodeFrequency(45012500));
    doc.applyImageChange(fixed, QStringLiteral("fix"));
    QVERIFY(grid->item(0, ColRx)->icon().isNull());
    QCOMPARE(grid->item(0, ColRx)->data(Qt::AccessibleDescriptionRole), QVariant());
    QVERIFY(!grid->item(0, ColTx)->icon().isNull());
}

void TestPlanGui::checkWindowGoesToTheCell()
{
    CProgramDoc doc;
    QVERIFY(doc.OnOpenDocument(QStringLiteral(RADIOPROG_TEST_DATA "/editor/channels.dat")));
    CProgramView view(&doc);
    view.OnInitialUpdate();
    view.show();
    view.OnCheckChannels();
    CPlanCheckDlg *dlg = view.planCheckWindow();
    QVERIFY(dlg && dlg->isVisible());
    CPlanFindingsList *list = dlg->list();
    QVERIFY(list->topLevelItemCount() > 0);
    QVERIFY2(dlg->summary()->text().contains(QStringLiteral("error(s)")),
        qPrintable(dlg->summary()->text()));
    int row = -1;
    for (int i = 0; i < list->findings().size(); ++i)
        if (list->findings().at(i).channels == QList<int> { 9 }
            && list->findings().at(i).field == PlanField::Tx)
            row = i;
    QVERIFY(row >= 0);
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(row));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(view.grid()->Row(), 9);
    QCOMPARE(view.grid()->Col(), int(ColTx));

    // The window follows the document while it is open.
    const int before = list->topLevelItemCount();
    MemoryImage fixed = doc.m_image;
    fixed.channel(9).setTxBytes(EncodeFrequency(45000000));
    doc.applyImageChange(fixed, QStringLiteral("fix"));
    QCOMPARE(list->topLevelItemCount(), before - 1);
}

void TestPlanGui::writeReviewAsksOnceMoreOnErrors_data()
{
    QTest::addColumn<PlanSeverity>("severity");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("written");

    QTest::newRow("warning: no question")
        << PlanSeverity::Warning << QMessageBox::No << false << true;
    QTest::newRow("error, declined") << PlanSeverity::Error << QMessageBox::No << true << false;
    QTest::newRow("error, confirmed") << PlanSeverity::Error << QMessageBox::Yes << true << true;
}

void TestPlanGui::writeReviewAsksOnceMoreOnErrors()
{
    QFETCH(PlanSeverity, severity);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, written);
    m_answer = answer;
    const PlanFinding finding { QStringLiteral("out-of-band"), severity, { 3 }, PlanField::Rx,
        QStringLiteral("english"), QStringLiteral("中文") };
    std::unique_ptr<CCompareDlg> dlg(CCompareDlg::forWrite({}, nullptr, { finding }));
    QVERIFY(dlg->findingsList());
    QCOMPARE(dlg->findingsList()->topLevelItemCount(), 1);
    QCOMPARE(dlg->findingsList()->topLevelItem(0)->text(3), QStringLiteral("english"));
    dlg->show();
    // Enter on a finding stays in the list: Cancel, the default button, is not pressed.
    QTest::keyClick(dlg->findingsList(), Qt::Key_Return);
    QVERIFY(dlg->isVisible());
    dlg->writeButton()->click();
    QCOMPARE(m_messages.size(), asked ? 1 : 0);
    QCOMPARE(dlg->result() == QDialog::Accepted, written);
}

QTEST_MAIN(TestPlanGui)
#include "tst_plan_gui.moc"
