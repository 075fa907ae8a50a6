// SPDX-License-Identifier: GPL-3.0-or-later
// The five settings dialogs on the offscreen platform: what they show, what
// OK stores, the key filter, the spins and the corrections.
#include "tests/common/DialogTestSupport.h"
#include "tests/common/ScanInfoImages.h"

#include "core/app/Globals.h"
#include "core/document/ProgramDoc.h"
#include "core/image/ChannelRecord.h"
#include "core/settings/IniFile.h"
#include "core/settings/UserSettings.h"
#include "gui/dialogs/ComSetupDlg.h"
#include "gui/dialogs/LanguageDlg.h"
#include "gui/dialogs/OptionalFeaturesDlg.h"
#include "gui/dialogs/ProductInfoDlg.h"
#include "gui/dialogs/ScanInfoDlg.h"
#include "gui/dialogs/SpinButton.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/Help.h"
#include "gui/view/ChannelGrid.h"
#include "gui/view/ProgramView.h"

#include "tests/common/TestFiles.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include <QtTest>

namespace {

int s_restarts = 0;
void countRestart()
{
    ++s_restarts;
}

template <typename T> T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}

const auto differences = testing::ImageDifferences;

// The view takes the dialogs' choices, as the windows that open them arrange.
void takeChoices(CProductInfoDlg &dlg, CProgramView &view)
{
    QObject::connect(&dlg, &CProductInfoDlg::bandChosen, &view, [&view](int low, int high) {
        view.m_nBandLow = low;
        view.m_nBandHigh = high;
    });
}
void takeChoices(CComSetupDlg &dlg, CProgramView &view)
{
    QObject::connect(&dlg, &CComSetupDlg::portChosen, &view,
        [&view](const QString &port) { view.m_strPort = port; });
}

// Shows a dialog and gives it the keyboard focus.
bool showActive(QWidget *dlg)
{
    dlg->show();
    QApplication::setActiveWindow(dlg);
    return QTest::qWaitForWindowActive(dlg);
}

// Moves the focus from a box to the OK button as a click would, without clicking.
void leaveBox(QWidget *dlg, QLineEdit *box)
{
    box->setFocus(Qt::OtherFocusReason);
    child<QPushButton>(dlg, "btnCancel")->setFocus(Qt::TabFocusReason);
}

} // namespace

class TestDialogsGui : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void optionalFeaturesNewImage();
    void optionalFeaturesChineseTexts();
    void optionalFeaturesStoresChoices();
    void optionalFeaturesKeyFilter_data();
    void optionalFeaturesKeyFilter();
    void optionalFeaturesArrowsAndHelp();
    void optionalFeaturesPopupKeys();
    void optionalFeaturesDialogKeys_data();
    void optionalFeaturesDialogKeys();
    void optionalFeaturesNeedsDocument();

    void scanInfoNewImage();
    void scanInfoLookBackSpins_data();
    void scanInfoLookBackSpins();
    void scanInfoCounterSpins_data();
    void scanInfoCounterSpins();
    void scanInfoCorrections_data();
    void scanInfoCorrections();
    void scanInfoUnreadableBoxStoresNothing();
    void scanInfoOkCorrectsTypedValues();
    void scanInfoSelectedRevert();
    void scanInfoKeepsLookBackCodes();
    void scanInfoFixedChannelFromGrid();
    void scanInfoOutOfRangeChannel_data();
    void scanInfoOutOfRangeChannel();
    void scanInfoOpenAndOkChangesNoByte_data();
    void scanInfoOpenAndOkChangesNoByte();

    void productInfoStoresEverywhere();
    void productInfoTypeOutOfRange();
    void productInfoCancelChangesNothing();
    void productInfoTypeChangeRefillsBands();

    void comSetupProbesPorts();
    void comSetupStoredOutOfRange();
    void comSetupPortHeldByAnotherProcess();
    void languageSameWritesNothing();
    void languageChangeSavesAndRestarts();
    void restartStartsProgramFromItsFolder();
    void fixedHelpContexts();

private:
    QTemporaryDir m_dir;
    QString m_iniPath;
    CProgramDoc *m_doc = nullptr;
};

void TestDialogsGui::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
    SetHelpWindowSuppressed(true);
    SetRestartHook(&countRestart);
}

void TestDialogsGui::init()
{
    g_bChinese = false;
    g_strLanguage = QStringLiteral("English");
    m_iniPath = LoadProgramIni(m_dir,
        "[Setup]\nLanguage=English\nAppName=DialogsTest\n"
        "Type1=A\nType2=B\nField1=130 - 160MHz\n"
        "Field2=136 - 174MHz|400 - 480MHz\n"
        "[English]\nAppName=Radio Programmer\n");
    QVERIFY(!m_iniPath.isEmpty());
    QFile::remove(UserSettings::forApplication().fileName());
    m_doc = new CProgramDoc(this);
    m_doc->OnNewDocument();
}

void TestDialogsGui::cleanup()
{
    delete m_doc;
    m_doc = nullptr;
    theIniFile.Close();
}

void TestDialogsGui::optionalFeaturesNewImage()
{
    COptionalFeaturesDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(child<QPushButton>(&dlg, "btnOk")->text(), QStringLiteral("Save"));
    const QMap<const char *, QString> shown { { "cmbTimeOutTimer", "60s" },
        { "cmbTotPreAlert", "8" }, { "cmbSquelchLevel", "4" },
        { "cmbVoiceAnnunciation", "Chinese" }, { "cmbVoxGainLevel", "5" },
        { "cmbVoxDelayTime", "1.0" }, { "cmbCallTone", "Off" }, { "cmbCallKeyDefine", "Off" } };
    for (auto it = shown.begin(); it != shown.end(); ++it)
        QCOMPARE(child<QComboBox>(&dlg, it.key())->currentText(), it.value());
    QVERIFY(child<QCheckBox>(&dlg, "chkBeep")->isChecked());
    QVERIFY(child<QCheckBox>(&dlg, "chkBatterySaver")->isChecked());

    const MemoryImage before = m_doc->m_image;
    child<QPushButton>(&dlg, "btnOk")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(differences(before, m_doc->m_image), QList<int> { mem::CallKeyDefine });
    QCOMPARE(int(m_doc->m_image.at(mem::CallKeyDefine)), 2);
}

void TestDialogsGui::optionalFeaturesChineseTexts()
{
    g_bChinese = true;
    COptionalFeaturesDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(child<QPushButton>(&dlg, "btnOk")->text(), QString::fromUtf8("保存"));
    QCOMPARE(
        child<QComboBox>(&dlg, "cmbVoiceAnnunciation")->currentText(), QString::fromUtf8("中文"));
    QCOMPARE(child<QComboBox>(&dlg, "cmbCallKeyDefine")->currentText(), QString::fromUtf8("关"));
    QCOMPARE(child<QComboBox>(&dlg, "cmbCallTone")->itemText(0), QString::fromUtf8("关"));
}

void TestDialogsGui::optionalFeaturesStoresChoices()
{
    m_doc->m_image[mem::SquelchLevel] = 0xA3;
    m_doc->m_image[mem::TimeOutTimer] = 0x84;
    m_doc->m_image[mem::VoiceAnnunciation] = 5;
    COptionalFeaturesDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(child<QComboBox>(&dlg, "cmbVoiceAnnunciation")->currentText(), QStringLiteral("Off"));
    child<QComboBox>(&dlg, "cmbSquelchLevel")->setCurrentIndex(7);
    child<QComboBox>(&dlg, "cmbTimeOutTimer")->setCurrentIndex(39);
    child<QComboBox>(&dlg, "cmbCallKeyDefine")->setCurrentIndex(2);
    child<QCheckBox>(&dlg, "chkBeep")->setChecked(false);
    child<QPushButton>(&dlg, "btnOk")->click();
    QCOMPARE(int(m_doc->m_image.at(mem::SquelchLevel)), 0xA7);
    QCOMPARE(int(m_doc->m_image.at(mem::TimeOutTimer)), 0x80 | 40);
    QCOMPARE(int(m_doc->m_image.at(mem::CallKeyDefine)), 1);
    QCOMPARE(int(m_doc->m_image.at(mem::Beep)), 0x00);
    QCOMPARE(int(m_doc->m_image.at(mem::VoiceAnnunciation)), 0);

    // A second opening reloads from the image, not from the last controls.
    m_doc->m_image[mem::SquelchLevel] = 0x02;
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(child<QComboBox>(&dlg, "cmbSquelchLevel")->currentText(), QStringLiteral("2"));

    // Cancel leaves the image alone.
    const MemoryImage before = m_doc->m_image;
    child<QComboBox>(&dlg, "cmbSquelchLevel")->setCurrentIndex(9);
    child<QPushButton>(&dlg, "btnCancel")->click();
    QVERIFY(m_doc->m_image == before);
}

void TestDialogsGui::optionalFeaturesKeyFilter_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QByteArray>("focus");
    QTest::newRow("shift up") << int(Qt::Key_Up) << int(Qt::ShiftModifier)
                              << QByteArray("cmbSquelchLevel");
    QTest::newRow("page down") << int(Qt::Key_PageDown) << int(Qt::NoModifier)
                               << QByteArray("cmbSquelchLevel");
    QTest::newRow("end") << int(Qt::Key_End) << int(Qt::NoModifier)
                         << QByteArray("cmbSquelchLevel");
    QTest::newRow("letter") << int(Qt::Key_O) << int(Qt::NoModifier) << QByteArray("cmbCallTone");
}

void TestDialogsGui::optionalFeaturesKeyFilter()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QByteArray, focus);
    COptionalFeaturesDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(showActive(&dlg));
    QWidget *target = child<QWidget>(&dlg, focus.constData());
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    const MemoryImage before = m_doc->m_image;
    const OptionalFeaturesState state = dlg.state();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(dlg.isVisible());
    QVERIFY(target->hasFocus());
    QVERIFY(dlg.state() == state);
    QVERIFY(m_doc->m_image == before);
    dlg.reject();
}

void TestDialogsGui::optionalFeaturesArrowsAndHelp()
{
    COptionalFeaturesDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(showActive(&dlg));
    auto *squelch = child<QComboBox>(&dlg, "cmbSquelchLevel");
    squelch->setFocus();
    QTRY_VERIFY(squelch->hasFocus());
    QTest::keyClick(squelch, Qt::Key_Up);
    QCOMPARE(squelch->currentText(), QStringLiteral("3"));
    QTest::keyClick(squelch, Qt::Key_Down);
    QTest::keyClick(squelch, Qt::Key_Down);
    QCOMPARE(squelch->currentText(), QStringLiteral("5"));
    QTest::keyClick(squelch, Qt::Key_7);
    QCOMPARE(squelch->currentText(), QStringLiteral("7"));

    auto *callKey = child<QComboBox>(&dlg, "cmbCallKeyDefine");
    callKey->setFocus();
    QTRY_VERIFY(callKey->hasFocus());
    QTest::keyClick(callKey, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), 1009);
    auto *beep = child<QCheckBox>(&dlg, "chkBeep");
    beep->setFocus();
    QTRY_VERIFY(beep->hasFocus());
    QTest::keyClick(beep, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), 1016);
    dlg.reject();
}

void TestDialogsGui::optionalFeaturesDialogKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("focusAfter"); // empty: the dialog closed
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("beepAfter");
    const int open = -1;
    // The template's order: Time-Out Timer, Squelch Level, Voice Annunciation ...
    QTest::newRow("tab moves on") << int(Qt::Key_Tab) << int(Qt::NoModifier)
                                  << QByteArray("cmbTimeOutTimer") << QByteArray("cmbSquelchLevel")
                                  << open << true;
    QTest::newRow("shift tab moves back")
        << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << QByteArray("cmbVoiceAnnunciation")
        << QByteArray("cmbSquelchLevel") << open << true;
    QTest::newRow("space toggles")
        << int(Qt::Key_Space) << int(Qt::NoModifier) << QByteArray("chkBeep")
        << QByteArray("chkBeep") << open << false;
    QTest::newRow("enter saves") << int(Qt::Key_Return) << int(Qt::NoModifier)
                                 << QByteArray("cmbSquelchLevel") << QByteArray()
                                 << int(QDialog::Accepted) << true;
    QTest::newRow("escape cancels")
        << int(Qt::Key_Escape) << int(Qt::NoModifier) << QByteArray("cmbSquelchLevel")
        << QByteArray() << int(QDialog::Rejected) << true;
}

void TestDialogsGui::optionalFeaturesDialogKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, focusAfter);
    QFETCH(int, result);
    QFETCH(bool, beepAfter);
    COptionalFeaturesDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(showActive(&dlg));
    QVERIFY(child<QCheckBox>(&dlg, "chkBeep")->isChecked());
    QWidget *target = child<QWidget>(&dlg, from.constData());
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    m_doc->m_image[mem::CallKeyDefine] = 0xFF;
    const std::uint8_t codeBefore = 0xFF;
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(child<QCheckBox>(&dlg, "chkBeep")->isChecked(), beepAfter);
    if (focusAfter.isEmpty()) {
        QTRY_VERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), result);
        // Save stores the lists (Call Key Define "Off" is code 2); Cancel stores nothing.
        QCOMPARE(m_doc->m_image[mem::CallKeyDefine],
            result == QDialog::Accepted ? std::uint8_t(2) : codeBefore);
        return;
    }
    QVERIFY(dlg.isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(&dlg, focusAfter.constData()));
    dlg.reject();
}

void TestDialogsGui::optionalFeaturesPopupKeys()
{
    COptionalFeaturesDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(showActive(&dlg));
    auto *tone = child<QComboBox>(&dlg, "cmbCallTone");
    tone->setFocus();
    QTRY_VERIFY(tone->hasFocus());
    tone->showPopup();
    QWidget *popup = tone->view();
    QTRY_VERIFY(popup->isVisible());
    // A letter is discarded in the popup as well; F1 names the combo; Escape
    // closes only the popup.
    const QString shown = tone->currentText();
    QTest::keyClick(popup, Qt::Key_O);
    QVERIFY(popup->isVisible());
    QCOMPARE(tone->currentText(), shown);
    QTest::keyClick(popup, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), 1119);
    QTest::keyClick(popup, Qt::Key_Escape);
    QTRY_VERIFY(!popup->isVisible());
    tone->hidePopup();
    QVERIFY(dlg.isVisible());
    dlg.reject();
}

void TestDialogsGui::optionalFeaturesNeedsDocument()
{
    COptionalFeaturesDlg dlg;
    QVERIFY(!dlg.OnInitDialog());
    QCOMPARE(dlg.DoModal(), int(QDialog::Rejected));
    CProductInfoDlg product;
    QCOMPARE(product.DoModal(), int(QDialog::Rejected));
    CScanInfoDlg scan;
    QCOMPARE(scan.DoModal(), int(QDialog::Rejected));
}

void TestDialogsGui::scanInfoNewImage()
{
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Scan Infomation"));
    QCOMPARE(child<QPushButton>(&dlg, "btnOk")->text(), QStringLiteral("Save"));
    QCOMPARE(child<QComboBox>(&dlg, "cmbPriority")->currentIndex(), 0);
    auto *channel = child<QLineEdit>(&dlg, "edtPriorityChannel");
    QVERIFY(channel->text().isEmpty());
    QVERIFY(!channel->isEnabled());
    QCOMPARE(child<QLineEdit>(&dlg, "edtLookBackA")->text(), QStringLiteral("0.9"));
    QCOMPARE(child<QLineEdit>(&dlg, "edtLookBackB")->text(), QStringLiteral("1.5"));
    QVERIFY(!child<QLineEdit>(&dlg, "edtLookBackA")->isEnabled());
    QVERIFY(!child<CSpinButton>(&dlg, "spnLookBackB")->isEnabled());
    auto *revert = child<QComboBox>(&dlg, "cmbRevertChannel");
    QCOMPARE(revert->count(), 2);
    QCOMPARE(revert->currentIndex(), -1);
    QCOMPARE(child<QLineEdit>(&dlg, "edtDropoutDelay")->text(), QStringLiteral("48"));
    QCOMPARE(child<QLineEdit>(&dlg, "edtTxDwell")->text(), QStringLiteral("48"));

    // Fixed: the channel and Look Back boxes open up, four Revert entries with "Selected".
    child<QComboBox>(&dlg, "cmbPriority")->setCurrentIndex(1);
    QVERIFY(channel->isEnabled());
    QVERIFY(child<QLineEdit>(&dlg, "edtLookBackA")->isEnabled());
    QVERIFY(child<CSpinButton>(&dlg, "spnLookBackA")->isEnabled());
    QCOMPARE(revert->count(), 4);
    QCOMPARE(revert->currentText(), QStringLiteral("Selected"));
    dlg.reject();
}

void TestDialogsGui::scanInfoLookBackSpins_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("lowerArrow");
    QTest::addColumn<bool>("useKey");
    QTest::addColumn<QString>("shown");
    QTest::newRow("5.0 lower arrow") << "5.0" << true << false << "0.5";
    QTest::newRow("0.5 upper arrow") << "0.5" << false << false << "5";
    QTest::newRow("0.9 upper arrow lowers") << "0.9" << false << false << "0.85";
    QTest::newRow("0.9 lower arrow raises") << "0.9" << true << false << "0.95";
    QTest::newRow("Up key as upper arrow") << "1.5" << false << true << "1.45";
    QTest::newRow("Down key as lower arrow") << "5" << true << true << "0.5";
}

void TestDialogsGui::scanInfoLookBackSpins()
{
    QFETCH(QString, start);
    QFETCH(bool, lowerArrow);
    QFETCH(bool, useKey);
    QFETCH(QString, shown);
    m_doc->m_image[mem::Priority] = 1;
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    auto *box = child<QLineEdit>(&dlg, "edtLookBackA");
    auto *spin = child<CSpinButton>(&dlg, "spnLookBackA");
    box->setText(start);
    if (useKey)
        QTest::keyClick(box, lowerArrow ? Qt::Key_Down : Qt::Key_Up);
    else
        (lowerArrow ? spin->downButton() : spin->upButton())->click();
    QCOMPARE(box->text(), shown);
    QCOMPARE(child<QLineEdit>(&dlg, "edtLookBackB")->text(), QStringLiteral("1.5"));
    dlg.reject();
}

void TestDialogsGui::scanInfoCounterSpins_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QByteArray>("spin");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("lowerArrow");
    QTest::addColumn<QString>("shown");
    QTest::newRow("dropout 300 lower")
        << QByteArray("edtDropoutDelay") << QByteArray("spnDropoutDelay") << "300" << true << "0";
    QTest::newRow("dropout 0 upper")
        << QByteArray("edtDropoutDelay") << QByteArray("spnDropoutDelay") << "0" << false << "300";
    QTest::newRow("dwell 48 lower")
        << QByteArray("edtTxDwell") << QByteArray("spnTxDwell") << "48" << true << "49";
    QTest::newRow("dwell 48 upper")
        << QByteArray("edtTxDwell") << QByteArray("spnTxDwell") << "48" << false << "47";
}

void TestDialogsGui::scanInfoCounterSpins()
{
    QFETCH(QByteArray, box);
    QFETCH(QByteArray, spin);
    QFETCH(QString, start);
    QFETCH(bool, lowerArrow);
    QFETCH(QString, shown);
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    child<QLineEdit>(&dlg, box.constData())->setText(start);
    auto *s = child<CSpinButton>(&dlg, spin.constData());
    (lowerArrow ? s->downButton() : s->upButton())->click();
    QCOMPARE(child<QLineEdit>(&dlg, box.constData())->text(), shown);
    dlg.reject();
}

void TestDialogsGui::scanInfoCorrections_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1.23 becomes 1.2") << QByteArray("edtLookBackA") << "1.23"
                                      << "1.2";
    QTest::newRow("7 becomes 5") << QByteArray("edtLookBackB") << "7"
                                 << "5";
    QTest::newRow("0.2 becomes 0.5") << QByteArray("edtLookBackA") << "0.2"
                                     << "0.5";
    QTest::newRow("999 becomes 300") << QByteArray("edtDropoutDelay") << "999"
                                     << "300";
    QTest::newRow("dwell 301 becomes 300") << QByteArray("edtTxDwell") << "301"
                                           << "300";
}

void TestDialogsGui::scanInfoCorrections()
{
    QFETCH(QByteArray, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    m_doc->m_image[mem::Priority] = 1;
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(showActive(&dlg));
    auto *edit = child<QLineEdit>(&dlg, box.constData());
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->setText(typed);
    leaveBox(&dlg, edit);
    QCOMPARE(edit->text(), shown);
    dlg.reject();
}

void TestDialogsGui::scanInfoUnreadableBoxStoresNothing()
{
    MessageCatcher messages;
    m_doc->m_image[mem::Priority] = 1;
    m_doc->m_image.channel(3).setRxBytes({ 0x00, 0x25, 0x51, 0x14 });
    m_doc->m_image[mem::PriorityChannel] = 3;
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(showActive(&dlg));
    child<QLineEdit>(&dlg, "edtDropoutDelay")->setText(QStringLiteral("100"));
    child<QLineEdit>(&dlg, "edtLookBackB")->setText(QStringLiteral("abc"));
    const MemoryImage before = m_doc->m_image;
    dlg.OnOK();
    QCOMPARE(messages.texts(), QStringList { QStringLiteral("Please enter a number.") });
    QVERIFY(m_doc->m_image == before);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(dlg.isVisible());
    QVERIFY(child<QLineEdit>(&dlg, "edtLookBackB")->hasFocus());

    // A spin puts the previous value back into the refused box.
    messages.clear();
    child<CSpinButton>(&dlg, "spnLookBackA")->downButton()->click();
    QCOMPARE(child<QLineEdit>(&dlg, "edtLookBackB")->text(), QStringLiteral("1.5"));
    QCOMPARE(child<QLineEdit>(&dlg, "edtLookBackA")->text(), QStringLiteral("0.95"));
    QCOMPARE(messages.texts().size(), 1);
    dlg.reject();
}

void TestDialogsGui::scanInfoOkCorrectsTypedValues()
{
    // Enter presses OK without the box losing the focus; the typed values
    // still go through the corrections, so no code outside the range is stored.
    m_doc->m_image[mem::Priority] = 1;
    m_doc->m_image[mem::PriorityChannel] = 2;
    m_doc->m_image.channel(2).setRxBytes({ 0x00, 0x25, 0x51, 0x14 });
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    child<QLineEdit>(&dlg, "edtLookBackA")->setText(QStringLiteral("7"));
    child<QLineEdit>(&dlg, "edtLookBackB")->setText(QStringLiteral("1.23"));
    child<QLineEdit>(&dlg, "edtDropoutDelay")->setText(QStringLiteral("999"));
    child<QLineEdit>(&dlg, "edtTxDwell")->setText(QStringLiteral("0"));
    dlg.OnOK();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(m_doc->m_image.at(mem::LookBackTimeA)), 91);
    QCOMPARE(int(m_doc->m_image.at(mem::LookBackTimeB)), 15);
    QCOMPARE(m_doc->m_image.word(mem::DropoutDelayTime), 300);
    QCOMPARE(m_doc->m_image.word(mem::TxDwellTime), 0);
}

void TestDialogsGui::scanInfoOpenAndOkChangesNoByte_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("visitBoxes");
    const QList<testing::ScanInfoImage> rows = testing::ScanInfoImages();
    for (int i = 0; i < rows.size(); ++i) {
        QTest::addRow("%s, OK at once", rows[i].name) << i << false;
        QTest::addRow("%s, every box visited", rows[i].name) << i << true;
    }
}

void TestDialogsGui::scanInfoOpenAndOkChangesNoByte()
{
    QFETCH(int, row);
    QFETCH(bool, visitBoxes);
    const testing::ScanInfoImage r = testing::ScanInfoImages().at(row);
    MessageCatcher messages;
    m_doc->m_image = testing::ScanInfoImageOf(r);
    const MemoryImage before = m_doc->m_image;
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(showActive(&dlg));
    if (visitBoxes) {
        // Entering and leaving a box without typing is not changing it.
        for (const char *name : { "edtLookBackA", "edtLookBackB", "edtDropoutDelay", "edtTxDwell" })
            if (child<QLineEdit>(&dlg, name)->isEnabled())
                leaveBox(&dlg, child<QLineEdit>(&dlg, name));
    }
    child<QPushButton>(&dlg, "btnOk")->click();
    QCOMPARE(differences(before, m_doc->m_image), QList<int>());
    if (r.priorityChannelUsable) {
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(messages.texts().isEmpty());
    } else {
        // The check that refuses a Priority Channel without a frequency stays.
        QCOMPARE(messages.texts(), QStringList { QStringLiteral("Please select channel inputed") });
        QVERIFY(dlg.isVisible());
        dlg.reject();
    }
}

void TestDialogsGui::scanInfoSelectedRevert()
{
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    child<QComboBox>(&dlg, "cmbPriority")->setCurrentIndex(2);
    auto *revert = child<QComboBox>(&dlg, "cmbRevertChannel");
    QCOMPARE(revert->count(), 2);
    revert->setCurrentIndex(revert->findText(QStringLiteral("Priority+Talk back")));
    child<QPushButton>(&dlg, "btnOk")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(m_doc->m_image.at(mem::Priority)), 2);
    QCOMPARE(int(m_doc->m_image.at(mem::RevertChannel)), 3);
    QCOMPARE(int(m_doc->m_image.at(mem::PriorityChannel)), 0x11);

    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(child<QComboBox>(&dlg, "cmbPriority")->currentIndex(), 2);
    QCOMPARE(revert->currentIndex(), 1);
    QVERIFY(child<QLineEdit>(&dlg, "edtPriorityChannel")->text().isEmpty());
    dlg.reject();
}

void TestDialogsGui::scanInfoKeepsLookBackCodes()
{
    for (int code : { 1, 5, 10, 91 }) {
        m_doc->m_image[mem::Priority] = 1;
        m_doc->m_image[mem::PriorityChannel] = 1;
        m_doc->m_image.channel(1).setRxBytes({ 0x00, 0x25, 0x51, 0x14 });
        m_doc->m_image[mem::LookBackTimeA] = static_cast<std::uint8_t>(code);
        m_doc->m_image[mem::LookBackTimeB] = static_cast<std::uint8_t>(code);
        const MemoryImage before = m_doc->m_image;
        CScanInfoDlg dlg;
        dlg.setDocument(m_doc);
        QVERIFY(dlg.OnInitDialog());
        dlg.OnOK();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(differences(before, m_doc->m_image), QList<int>());
    }
}

void TestDialogsGui::scanInfoFixedChannelFromGrid()
{
    MessageCatcher messages;
    CProgramView view(m_doc);
    view.OnInitialUpdate();
    QVERIFY(view.grid());
    m_doc->m_image[mem::Priority] = 1;
    m_doc->m_image[mem::PriorityChannel] = 3;
    view.ImageToGrid();
    view.GridToImage();

    // The modal dialog is driven from inside its own loop.
    bool refused = false;
    QTimer::singleShot(0, this, [&] {
        auto *dlg = qobject_cast<CScanInfoDlg *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QCOMPARE(child<QLineEdit>(dlg, "edtPriorityChannel")->text(), QStringLiteral(" 3"));
        dlg->OnOK();
        refused = dlg->isVisible();
        dlg->reject();
    });
    const MemoryImage before = m_doc->m_image;
    view.OnScanInfo();
    QVERIFY(refused);
    QCOMPARE(messages.texts(), QStringList { QStringLiteral("Please select channel inputed") });
    QVERIFY(m_doc->m_image == before);

    // The channel typed into the grid (not yet stored) is seen after GridToImage.
    view.grid()->setTextMatrix(3, 1, QStringLiteral("145.12500"));
    view.grid()->setTextMatrix(3, 2, QStringLiteral("145.12500"));
    messages.clear();
    QTimer::singleShot(0, this, [&] {
        auto *dlg = qobject_cast<CScanInfoDlg *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        dlg->OnOK();
        refused = dlg->isVisible();
        if (refused)
            dlg->reject();
    });
    view.OnScanInfo();
    QVERIFY(!refused);
    QVERIFY(messages.texts().isEmpty());
    QCOMPARE(int(m_doc->m_image.at(mem::PriorityChannel)), 3);
    QCOMPARE(int(m_doc->m_image.channel(3).rxBytes()[3]), 0x14);
}

void TestDialogsGui::scanInfoOutOfRangeChannel_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("0") << "0";
    QTest::newRow("17") << "17";
    QTest::newRow("99") << "99";
    QTest::newRow("-1") << "-1";
    QTest::newRow("empty") << "";
}

void TestDialogsGui::scanInfoOutOfRangeChannel()
{
    QFETCH(QString, typed);
    MessageCatcher messages;
    // Every channel has a frequency, so only the number itself can be refused.
    for (int n = 1; n <= mem::ChannelCount; ++n)
        m_doc->m_image.channel(n).setRxBytes({ 0x00, 0x25, 0x51, 0x14 });
    CScanInfoDlg dlg;
    dlg.setDocument(m_doc);
    QVERIFY(dlg.OnInitDialog());
    child<QComboBox>(&dlg, "cmbPriority")->setCurrentIndex(1);
    child<QLineEdit>(&dlg, "edtPriorityChannel")->setText(typed);
    const MemoryImage before = m_doc->m_image;
    dlg.OnOK();
    QCOMPARE(messages.texts(), QStringList { QStringLiteral("Please select channel inputed") });
    QVERIFY(m_doc->m_image == before);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void TestDialogsGui::productInfoStoresEverywhere()
{
    const MemoryImage before = m_doc->m_image;
    const QString titleBefore = g_strTitle;
    CProgramView view(m_doc);
    CProductInfoDlg dlg;
    dlg.setDocument(m_doc);
    takeChoices(dlg, view);
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(child<QPushButton>(&dlg, "btnOk")->text(), QStringLiteral("Save"));
    auto *type = child<QComboBox>(&dlg, "cmbType");
    auto *band = child<QComboBox>(&dlg, "cmbBand");
    QCOMPARE(type->count(), 2);
    QCOMPARE(type->currentText(), QStringLiteral("A"));
    QCOMPARE(band->count(), 1);
    type->setCurrentIndex(1);
    QCOMPARE(band->count(), 2);
    QCOMPARE(band->currentIndex(), 0);
    band->setCurrentIndex(1);
    child<QPushButton>(&dlg, "btnOk")->click();

    QCOMPARE(int(m_doc->m_image.at(mem::ProductType)), 1);
    QCOMPARE(int(m_doc->m_image.at(mem::FrequencyBand)), 1);
    const UserSettings store = UserSettings::forApplication();
    QCOMPARE(store.value(QStringLiteral("Type"), -5), 1);
    QCOMPARE(store.value(QStringLiteral("Field"), -5), 1);
    QCOMPARE(view.m_nBandLow, 40000000);
    QCOMPARE(view.m_nBandHigh, 48000000);
    QCOMPARE(g_strTitle, QStringLiteral("Radio Programmer  [ Type:B  Fre:400 - 480MHz ]"));

    // The next opening comes back on the stored choice.
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(type->currentIndex(), 1);
    QCOMPARE(band->currentIndex(), 1);
    dlg.reject();

    // One undo step takes back the bytes, the store, the caption and the dialog's choice.
    QSignalSpy captions(&dlg, &CProductInfoDlg::captionChanged);
    QCOMPARE(m_doc->undoStack()->count(), 1);
    m_doc->undoStack()->undo();
    QCOMPARE(int(m_doc->m_image.at(mem::ProductType)), int(before.at(mem::ProductType)));
    QCOMPARE(int(m_doc->m_image.at(mem::FrequencyBand)), int(before.at(mem::FrequencyBand)));
    QCOMPARE(UserSettings::forApplication().value(QStringLiteral("Type"), -5), 0);
    QCOMPARE(UserSettings::forApplication().value(QStringLiteral("Field"), -5), 0);
    QCOMPARE(g_strTitle, titleBefore);
    QCOMPARE(captions.size(), 1);
    QCOMPARE(captions.first().first().toString(), titleBefore);
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(type->currentIndex(), 0);
    QCOMPARE(band->currentIndex(), 0);
    dlg.reject();
    m_doc->undoStack()->redo();
    QCOMPARE(int(m_doc->m_image.at(mem::ProductType)), 1);
    QCOMPARE(g_strTitle, QStringLiteral("Radio Programmer  [ Type:B  Fre:400 - 480MHz ]"));
}

void TestDialogsGui::productInfoTypeOutOfRange()
{
    LoadProgramIni(m_dir,
        "[Setup]\nAppName=DialogsTest\nType1=A\nType2=B\nType3=C\n"
        "Field1=130 - 160MHz\n");
    UserSettings::forApplication().setValue(QStringLiteral("Type"), 7);
    CProgramView view(m_doc);
    CProductInfoDlg dlg;
    dlg.setDocument(m_doc);
    takeChoices(dlg, view);
    QVERIFY(dlg.OnInitDialog());
    QCOMPARE(child<QComboBox>(&dlg, "cmbType")->count(), 3);
    QCOMPARE(child<QComboBox>(&dlg, "cmbType")->currentIndex(), -1);
    auto *band = child<QComboBox>(&dlg, "cmbBand");
    QCOMPARE(band->count(), 1);
    QCOMPARE(band->itemText(0), QString());
    // F1 on the band list names it.
    QVERIFY(showActive(&dlg));
    band->setFocus();
    QTRY_VERIFY(band->hasFocus());
    QTest::keyClick(band, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), 1014);
    dlg.reject();
}

void TestDialogsGui::productInfoCancelChangesNothing()
{
    CProgramView view(m_doc);
    view.m_nBandLow = 123;
    view.m_nBandHigh = 456;
    g_strTitle = QStringLiteral("before");
    CProductInfoDlg dlg;
    dlg.setDocument(m_doc);
    takeChoices(dlg, view);
    QVERIFY(dlg.OnInitDialog());
    child<QComboBox>(&dlg, "cmbType")->setCurrentIndex(1);
    const MemoryImage before = m_doc->m_image;
    child<QPushButton>(&dlg, "btnCancel")->click();
    QVERIFY(m_doc->m_image == before);
    QCOMPARE(view.m_nBandLow, 123);
    QCOMPARE(view.m_nBandHigh, 456);
    QCOMPARE(g_strTitle, QStringLiteral("before"));
    QVERIFY(!QFileInfo::exists(UserSettings::forApplication().fileName())
        || UserSettings::forApplication().value(QStringLiteral("Type"), -5) == -5);
}

void TestDialogsGui::productInfoTypeChangeRefillsBands()
{
    CProgramView view(m_doc);
    CProductInfoDlg dlg;
    dlg.setDocument(m_doc);
    takeChoices(dlg, view);
    QVERIFY(dlg.OnInitDialog());
    auto *type = child<QComboBox>(&dlg, "cmbType");
    auto *band = child<QComboBox>(&dlg, "cmbBand");
    type->setCurrentIndex(1);
    band->setCurrentIndex(1);
    type->setCurrentIndex(0);
    QCOMPARE(band->count(), 1);
    QCOMPARE(band->currentText(), QStringLiteral("130 - 160MHz"));
    child<QPushButton>(&dlg, "btnOk")->click();
    QCOMPARE(view.m_nBandLow, 13000000);
    QCOMPARE(view.m_nBandHigh, 16000000);
}

void TestDialogsGui::comSetupProbesPorts()
{
    HeldTerminal free;
    HeldTerminal held;
    QVERIFY(!free.path().isEmpty());
    QVERIFY(held.hold());
    const QByteArray ini = "[Setup]\nAppName=DialogsTest\n[Ports]\nCOM1="
        + free.path().toLocal8Bit() + "\nCOM2=" + held.path().toLocal8Bit()
        + "\nCOM3=/dev/radioprog-missing-3\n" + "COM4=" + m_iniPath.toLocal8Bit() + "\n";
    LoadProgramIni(m_dir, ini);
    UserSettings::forApplication().setValue(QStringLiteral("com"), 2);

    CProgramView view(m_doc);
    CComSetupDlg dlg;
    takeChoices(dlg, view);
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(child<QRadioButton>(&dlg, "rdoCom1")->isEnabled());
    QVERIFY(!child<QRadioButton>(&dlg, "rdoCom2")->isEnabled());
    QVERIFY(!child<QRadioButton>(&dlg, "rdoCom3")->isEnabled());
    QVERIFY(!child<QRadioButton>(&dlg, "rdoCom4")->isEnabled()); // a plain file is no port
    // The stored port stays checked even though it is disabled.
    QVERIFY(child<QRadioButton>(&dlg, "rdoCom2")->isChecked());
    QCOMPARE(dlg.m_nPort, 1);

    child<QRadioButton>(&dlg, "rdoCom1")->click();
    child<QPushButton>(&dlg, "btnOk")->click();
    QCOMPARE(view.m_strPort, QStringLiteral("com1"));
    QCOMPARE(UserSettings::forApplication().value(QStringLiteral("com"), -5), 1);

    // Cancel changes nothing.
    QVERIFY(dlg.OnInitDialog());
    child<QRadioButton>(&dlg, "rdoCom2")->setChecked(true);
    child<QPushButton>(&dlg, "btnCancel")->click();
    QCOMPARE(view.m_strPort, QStringLiteral("com1"));
    QCOMPARE(UserSettings::forApplication().value(QStringLiteral("com"), -5), 1);
}

void TestDialogsGui::comSetupPortHeldByAnotherProcess()
{
    HeldTerminal free;
    HeldTerminal busy;
    QVERIFY(!free.path().isEmpty() && !busy.path().isEmpty());
    const QByteArray ini = "[Setup]\nAppName=DialogsTest\n[Ports]\nCOM1="
        + free.path().toLocal8Bit() + "\nCOM2=" + busy.path().toLocal8Bit() + "\n";
    LoadProgramIni(m_dir, ini);

    CProgramView view(m_doc);
    CComSetupDlg dlg;
    takeChoices(dlg, view);
    {
        PortHeldByChild other(busy.path());
        QVERIFY(other.holding());
        QVERIFY(dlg.OnInitDialog());
        QVERIFY(child<QRadioButton>(&dlg, "rdoCom1")->isEnabled());
        QVERIFY(!child<QRadioButton>(&dlg, "rdoCom2")->isEnabled());
    }
    // The probe reflects the moment the dialog opens: once the other program lets go,
    // the port is offered again.
    QVERIFY(dlg.OnInitDialog());
    QVERIFY(child<QRadioButton>(&dlg, "rdoCom2")->isEnabled());
    // Probing opens and closes; it never writes to the radio.
    QCOMPARE(free.sentBytes(), QByteArray());
    QCOMPARE(busy.sentBytes(), QByteArray());
}

void TestDialogsGui::comSetupStoredOutOfRange()
{
    UserSettings::forApplication().setValue(QStringLiteral("com"), 9);
    CProgramView view(m_doc);
    CComSetupDlg dlg;
    takeChoices(dlg, view);
    QVERIFY(dlg.OnInitDialog());
    for (const char *name : { "rdoCom1", "rdoCom2", "rdoCom3", "rdoCom4" })
        QVERIFY(!child<QRadioButton>(&dlg, name)->isChecked());
    child<QPushButton>(&dlg, "btnOk")->click();
    QCOMPARE(view.m_strPort, QStringLiteral("com0"));
    QCOMPARE(UserSettings::forApplication().value(QStringLiteral("com"), -5), 0);
}

void TestDialogsGui::languageSameWritesNothing()
{
    for (bool chinese : { false, true }) {
        g_bChinese = chinese;
        s_restarts = 0;
        const QByteArray before = [&] {
            QFile f(m_iniPath);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        CProgramView view(m_doc);
        bool checkedRunning = false;
        QTimer::singleShot(0, this, [&] {
            auto *dlg = qobject_cast<CLanguageDlg *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            checkedRunning
                = child<QRadioButton>(dlg, chinese ? "rdoChinese" : "rdoEnglish")->isChecked();
            child<QPushButton>(dlg, "btnOk")->click();
        });
        view.OnLanguage();
        QVERIFY(checkedRunning);
        QCOMPARE(s_restarts, 0);
        QVERIFY(!view.m_dlgLanguage->m_bChanged);
        QFile f(m_iniPath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QCOMPARE(theIniFile.GetValue("Setup", "Language"), QStringLiteral("English"));
    }
}

void TestDialogsGui::languageChangeSavesAndRestarts()
{
    s_restarts = 0;
    CProgramView view(m_doc);
    // As the main window answers, here without a window to close.
    connect(&view, &CProgramView::restartRequested, this, [] { RestartProgram(nullptr); });
    QTimer::singleShot(0, this, [&] {
        auto *dlg = qobject_cast<CLanguageDlg *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        child<QRadioButton>(dlg, "rdoChinese")->click();
        child<QPushButton>(dlg, "btnOk")->click();
    });
    view.OnLanguage();
    QCOMPARE(s_restarts, 1);
    QVERIFY(view.m_dlgLanguage->m_bChanged);
    // On disk before the new copy starts.
    CIniFile reread;
    QCOMPARE(reread.Open(m_iniPath, false, true, false), 1);
    QCOMPARE(reread.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
    QCOMPARE(reread.GetValue("Setup", "AppName"), QStringLiteral("DialogsTest"));

    // Cancel changes nothing.
    s_restarts = 0;
    QTimer::singleShot(0, this, [&] {
        auto *dlg = qobject_cast<CLanguageDlg *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        child<QPushButton>(dlg, "btnCancel")->click();
    });
    view.OnLanguage();
    QCOMPARE(s_restarts, 0);
}

void TestDialogsGui::restartStartsProgramFromItsFolder()
{
    // A stand-in program that records where it was started.
    QTemporaryDir appDir;
    const QString marker = appDir.filePath(QStringLiteral("started"));
    QFile script(appDir.filePath(QStringLiteral("radioprog")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\npwd > \"" + marker.toLocal8Bit() + ".tmp\" && mv \""
        + marker.toLocal8Bit() + ".tmp\" \"" + marker.toLocal8Bit() + "\"\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString savedDir = g_strAppDir;
    g_strAppDir = appDir.path() + QLatin1Char('/');
    theIniFile.SetValue("Setup", "Language", "Chinese");

    SetRestartHook(nullptr);
    RestartProgram(nullptr);
    SetRestartHook(&countRestart);
    g_strAppDir = savedDir;

    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marker), 10000);
    QFile started(marker);
    QVERIFY(started.open(QIODevice::ReadOnly));
    QCOMPARE(QFileInfo(QString::fromLocal8Bit(started.readAll().trimmed())).canonicalFilePath(),
        QFileInfo(appDir.path()).canonicalFilePath());
    CIniFile reread;
    QCOMPARE(reread.Open(m_iniPath, false, true, false), 1);
    QCOMPARE(reread.GetValue("Setup", "Language"), QStringLiteral("Chinese"));
}

void TestDialogsGui::fixedHelpContexts()
{
    CComSetupDlg com;
    QVERIFY(com.OnInitDialog());
    QVERIFY(showActive(&com));
    QWidget *focus = child<QPushButton>(&com, "btnOk");
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
    QTest::keyClick(focus, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), ctx::ComSetup);
    com.reject();

    CScanInfoDlg scan;
    scan.setDocument(m_doc);
    QVERIFY(scan.OnInitDialog());
    QVERIFY(showActive(&scan));
    focus = child<QComboBox>(&scan, "cmbPriority");
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
    QTest::keyClick(focus, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), ctx::ScanInfo);
    scan.reject();

    CLanguageDlg lang;
    QVERIFY(lang.OnInitDialog());
    QVERIFY(showActive(&lang));
    focus = child<QRadioButton>(&lang, "rdoEnglish");
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
    QTest::keyClick(focus, Qt::Key_F1);
    QCOMPARE(LastHelpContext(), ctx::Language);
    // Other keys work as usual in these dialogs: Escape cancels.
    QTest::keyClick(focus, Qt::Key_Escape);
    QVERIFY(!lang.isVisible());
}

QTEST_MAIN(TestDialogsGui)
#include "tst_DialogsGui.moc"
