// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clone procedure: handshake, then 8-byte blocks with an acknowledgement
// after each, between the PC and the radio.
//
// On the wire (PC -> R, R -> PC), the address big-endian:
//   handshake  -> 02 'P' 'R' 'O' 'G' 'R' 'A' 'M'  (one byte at a time)
//              <- 1 byte (not examined)
//              -> 02          <- up to 8 identification bytes (not examined)
//              -> 06          <- 06
//   read block -> 'R' AH AL 08  <- 4 bytes (not examined) + 8 data bytes
//              -> 06            <- 06
//   write block-> 'W' AH AL 08, 1 ms, 8 data bytes          <- 06
//   last byte  -> 'W' 03 F0 01, 1 ms, the byte at 0x3F0     <- 06

#include "core/image/MemoryImage.h"
#include "core/link/SerialLine.h"
#include "core/link/TransferUi.h"
#include <optional>

#include <QVector>

/// Which way the image moves.
enum class TransferDirection { Read, Write };
/// How a transfer ended.
enum class TransferOutcome { Succeeded, Failed, Cancelled, PortNotOpened };

/// Protocol bytes.
namespace wire {
constexpr std::uint8_t Stx = 0x02; ///< Starts the program and identification requests.
constexpr std::uint8_t Ack = 0x06; ///< Confirm and acknowledgement.
constexpr std::uint8_t ReadCmd = 0x52; ///< 'R'
constexpr std::uint8_t WriteCmd = 0x57; ///< 'W'
constexpr int ReadAnswerSize = 12; ///< 4 leading bytes + 8 data bytes.
constexpr int ReadAnswerDataOffset = 4; ///< Where the data starts in a read answer.
constexpr int IdentificationSize = 8; ///< Longest identification the PC reads.
constexpr int MaxStep4Attempts = 15; ///< Attempt counter limit of the program answer read.
constexpr int AckFailureLimit = 5; ///< Counter above which a wrong ack is a Program Interrupt.
/// The program request, 0x02 then "PROGRAM".
constexpr std::uint8_t ProgramRequest[8] = { 0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M' };
} // namespace wire

/// Block addresses of a direction's two ranges, ascending, step 8.
QVector<int> TransferBlockAddresses(TransferDirection direction);
/// Progress steps of a direction: the bytes of its two ranges divided by 16 (63 or 62).
int TransferProgressSteps(TransferDirection direction);
/// Copies the bytes a read fetches from staged into image; every other byte keeps its value.
void CommitReadRanges(const MemoryImage &staged, MemoryImage &image);

/// Runs the handshake and the blocks of one direction over an open line.
class CCloneSession
{
public:
    /// A session over line (configured and open), watched by ui.
    CCloneSession(CSerialLine &line, CTransferUi &ui)
        : m_line(line)
        , m_ui(ui)
    {
    }

    /// Reads the read ranges into image (a staging copy); the other bytes are left alone.
    TransferOutcome read(MemoryImage &image);
    /// Writes the write ranges and the byte at 0x3F0 of image into the radio.
    TransferOutcome write(const MemoryImage &image);

private:
    enum class Handshake { Done, Failed, Cancelled };
    Handshake handshake();
    /// The transfer's outcome when the handshake did not complete.
    static std::optional<TransferOutcome> handshakeOutcome(Handshake h);
    enum class Ack { Arrived, Missing, Cancelled };
    Ack readAck();
    /// A short or missing answer: Cancelled when the user cut the wait short, else 61454.
    TransferOutcome interrupted();
    /// Steps the progress after every 16 bytes, then pumps; true when cancelled.
    bool blockDone(int address);

    CSerialLine &m_line;
    CTransferUi &m_ui;
};

/// Opens and configures the line for a transfer whose waits follow ui's Cancel; when the
/// port cannot be opened, shows message 61453 with why and how to fix it and returns false.
bool OpenTransferLine(CSerialLine &line, const QString &portName, CTransferUi &ui);
/// Closes a line opened by OpenTransferLine.
void CloseTransferLine(CSerialLine &line);
/// The whole transfer on a port name: open (61453 with the reason on failure), configure,
/// session, close. The line's waits test ui.isCancelled().
/// For a read, image is the staging copy and receives the read ranges.
TransferOutcome RunTransfer(CSerialLine &line, const QString &portName, TransferDirection direction,
    MemoryImage &image, CTransferUi &ui);
