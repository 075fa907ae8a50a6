// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channel lists in the generic CSV that most programming tools share
// (Location,Name,Frequency,Duplex,Offset,Tone,...). Export writes one row per
// used channel; import turns each row into the texts of a grid row and
// stores them through the grid's own rules (band, 5/6.25 kHz step, tone
// lists), so a list can never put into the image what the grid would refuse.

#include "core/channels/ChannelTable.h"
#include "core/image/MemoryImage.h"
#include "core/image/SettingsArea.h"
#include "core/image/ToneWord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// The 21 column names of the format, in the order export writes them.
QStringList ChannelCsvColumns();

/// A remark about one line of the file (or one channel of an export).
struct ChannelCsvProblem
{
    int line = 0; ///< Line of the file (export: the channel number).
    QString text; ///< What is wrong, in the current language.
};
/// "line 7: text" / "第 7 行：text".
QString ChannelCsvProblemText(const ChannelCsvProblem &problem);

/// The tone columns of one row.
struct CsvToneColumns
{
    QString tone; ///< "", "Tone", "TSQL", "DTCS" or "Cross".
    QString rToneFreq = QStringLiteral("88.5"); ///< Transmit tone of Tone and Cross.
    QString cToneFreq = QStringLiteral("88.5"); ///< Tone of TSQL, receive tone of Cross.
    QString dtcsCode = QStringLiteral("023"); ///< Code of DTCS, transmit code of Cross.
    QString dtcsPolarity = QStringLiteral("NN"); ///< Transmit then receive: N normal, R reversed.
    QString rxDtcsCode = QStringLiteral("023"); ///< Receive code of Cross.
    QString crossMode = QStringLiteral("Tone->Tone"); ///< What Cross sends and requires.
};
/// Columns of a channel's encode (transmit) and decode (receive) tone words.
CsvToneColumns ToneColumnsOfWords(ToneWord encode, ToneWord decode);
/// Grid texts ("None", "67.0", "D023N", "D023I") of the columns, from the tone list only;
/// false with a reason when the columns name no tone of the radio.
bool ToneTextsOfColumns(
    const CsvToneColumns &columns, QString *encodeText, QString *decodeText, QString *problem);

/// The CSV of an image: header and one row per used channel, UTF-8, LF line ends.
struct ChannelCsvExport
{
    QByteArray csv; ///< The whole file.
    int rows = 0; ///< Channels written.
    QList<ChannelCsvProblem> warnings; ///< Channels whose tones will not import back.
};
/// Exports image; band decides +/- against split for a transmit frequency.
ChannelCsvExport ExportChannelCsv(const MemoryImage &image, const BandLimits &band);

/// How import places rows on channels.
enum class CsvPlacement {
    Automatic, ///< By Location when every importable row has a distinct Location 1..16.
    ByLocation, ///< Row to the channel its Location names.
    InOrder, ///< Rows in file order from the first channel on.
};

/// What the import is asked to do.
struct ChannelCsvImportOptions
{
    BandLimits band; ///< Band of the document's radio type.
    CsvPlacement placement = CsvPlacement::Automatic; ///< Placement rule.
    int firstChannel = 1; ///< First channel of in-order placement (1..16).
};

/// One row that becomes a channel.
struct ImportedChannel
{
    int line = 0; ///< Line of the file.
    int channel = 0; ///< Channel 1..16.
    QStringList texts; ///< Grid texts of columns 1..9 (English words).
};

/// The outcome of reading a channel list.
struct ChannelCsvImport
{
    QString error; ///< Why the file as a whole cannot be used; empty when it was read.
    CsvPlacement placement = CsvPlacement::InOrder; ///< The rule used (never Automatic).
    int dataRows = 0; ///< Rows after the header.
    QList<ImportedChannel> channels; ///< Rows placed on channels, in file order.
    QList<ChannelCsvProblem> problems; ///< Rows skipped, by line.
    /// Why Automatic chose file order (line 0: it did not, or the rule was given).
    ChannelCsvProblem placementCause;

    /// Data rows that will not become a channel.
    int skippedRows() const;
};
/// Reads a channel list; every value checked as the grid checks typed values.
ChannelCsvImport ReadChannelCsv(const QByteArray &bytes, const ChannelCsvImportOptions &options);
/// "by Location" / "in file order from channel N" (with the line that ruled out Location).
QString CsvPlacementText(const ChannelCsvImport &import, int firstChannel);

/// What happens to the channels the file does not name.
enum class ImportScope {
    ReplaceAll, ///< They become empty.
    OnlyListed, ///< They stay as they are.
};
/// base with the imported channels stored; only channel records and scan-add bits change.
MemoryImage ApplyChannelCsv(
    const MemoryImage &base, const ChannelCsvImport &import, ImportScope scope);
/// Band limits of the radio type and band stored in image (Program.ini lists).
BandLimits ChannelCsvBand(const MemoryImage &image);
