// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/station/RadioProgramming.h"

#include "core/app/StringTable.h"
#include "core/document/BackupStore.h"
#include "core/image/SettingsArea.h"
#include "core/link/PortProbe.h"
#include "core/link/PortRoutes.h"
#include "core/settings/IniFile.h"
#include "core/settings/ProductInfoRules.h"
#include "core/settings/UserSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <pwd.h>
#include <unistd.h>

namespace {

const char kOperatorValue[] = "Operator";

/// Passes everything to the real face and remembers the last message, for the log.
class MessageMemoUi : public CTransferUi
{
public:
    explicit MessageMemoUi(CTransferUi &inner)
        : m_inner(inner)
    {
    }
    MessageAnswer showMessage(int stringId) override
    {
        return showMessageWithReason(stringId, QString());
    }
    MessageAnswer showMessageWithReason(int stringId, const QString &reason) override
    {
        m_last = LoadString(stringId);
        if (!reason.isEmpty())
            m_last += QLatin1Char(' ') + reason;
        return m_inner.showMessageWithReason(stringId, reason);
    }
    void stepProgress() override { m_inner.stepProgress(); }
    bool pumpAndTest(int passes, int waitMs) override
    {
        return m_inner.pumpAndTest(passes, waitMs);
    }
    bool isCancelled() override { return m_inner.isCancelled(); }
    void beginStep(const QString &label) override { m_inner.beginStep(label); }
    bool confirmWrite(const QList<ImageDifference> &changes) override
    {
        return m_inner.confirmWrite(changes);
    }
    QString last() const { return m_last; }

private:
    CTransferUi &m_inner;
    QString m_last;
};

QString LoginName()
{
    if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

} // namespace

ProgrammingRecord BeginProgrammingRecord(const QString &port, const QString &imagePath,
    const MemoryImage &image, const QString &operatorName)
{
    ProgrammingRecord r;
    const QDateTime now = QDateTime::currentDateTime();
    r.time = now.toOffsetFromUtc(now.offsetFromUtc());
    r.port = port;
    const QList<SerialAdapter> adapters = ListSerialAdapters();
    r.device = DevicePathOfPort(port);
    // The adapter is found by the device it really is, whatever link names it.
    const QString real = QFileInfo(r.device).canonicalFilePath();
    for (const SerialAdapter &a : adapters) {
        if (a.device == r.device
            || (!real.isEmpty() && QFileInfo(a.device).canonicalFilePath() == real))
            r.adapterSerial = a.serialNumber;
    }
    r.imageFile = imagePath.isEmpty() ? QString() : QFileInfo(imagePath).fileName();
    r.imageSha256 = Sha256Hex(image.toByteArray());
    r.radioType = BackupRadioType(image);
    const int typePos = ReadField(image, Field::ProductType);
    const QStringList bands = ProductBandList(theIniFile, typePos);
    const int band = ReadField(image, Field::FrequencyBand);
    if (band >= 0 && band < bands.size())
        r.band = bands.at(band).trimmed();
    r.operatorName = operatorName;
    return r;
}

QString ProgrammingResult(const RadioWriteReport &report)
{
    if (report.outcome == TransferOutcome::Succeeded)
        return QString::fromLatin1(logresult::Ok);
    if (report.stage == RadioWriteStage::Verify)
        return QString::fromLatin1(logresult::VerifyFailed);
    if (report.outcome == TransferOutcome::Cancelled)
        return QString::fromLatin1(logresult::Cancelled);
    return QString::fromLatin1(logresult::Failed);
}

RadioProgramming ProgramRadio(CSerialLine &line, ProgrammingRecord record, const MemoryImage &image,
    const RadioWriteOptions &options, CTransferUi &ui, Language lang)
{
    QElapsedTimer clock;
    clock.start();
    MessageMemoUi memo(ui);
    RadioProgramming out;
    out.report = RunRadioWrite(line, record.device, image, options, memo, lang);
    record.durationMs = clock.elapsed();
    record.result = ProgrammingResult(out.report);
    if (record.result != QLatin1String(logresult::Ok)) {
        record.error = RadioWriteMessage(out.report, lang);
        if (record.error.isEmpty())
            record.error = memo.last();
        if (record.error.isEmpty() && out.report.outcome == TransferOutcome::Cancelled)
            record.error = LanguageText(lang, "Cancelled by the user.", "用户已取消。");
    }
    record.backupFile = out.report.backupPath;
    // The backup holds what the radio held; its hash names that memory in the log.
    if (!record.backupFile.isEmpty()) {
        QFile backup(record.backupFile);
        if (backup.open(QIODevice::ReadOnly))
            record.radioSha256 = Sha256Hex(backup.read(mem::ImageSize));
    }
    out.record = record;
    return out;
}

QString OperatorName()
{
    const QSettings store(UserSettings::forApplication().fileName(), QSettings::IniFormat);
    const QString stored = store.value(QString::fromLatin1(kOperatorValue)).toString().trimmed();
    return stored.isEmpty() ? LoginName() : stored;
}

void StoreOperatorName(const QString &name)
{
    QSettings store(UserSettings::forApplication().fileName(), QSettings::IniFormat);
    if (name.trimmed().isEmpty() || name.trimmed() == LoginName())
        store.remove(QString::fromLatin1(kOperatorValue));
    else
        store.setValue(QString::fromLatin1(kOperatorValue), name.trimmed());
    store.sync();
}
