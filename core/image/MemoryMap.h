// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Map of the radio's 1024-byte configuration memory.
//
//  0x000 ┌──────────────────────────────┐ block 0: leading block, carried only
//  0x010 ├──────────────────────────────┤ blocks 1..16: channel records
//        │ channel n at 16 × n          │ (see ChannelRecord.h)
//  0x110 ├──────────────────────────────┤ settings area
//        │ 0x12F..0x13F optional features│
//        │ 0x160..0x168 scan information│
//        │ 0x17E/0x17F  scan-add bits   │
//        │ 0x1B8..0x1BF identification  │
//        │ 0x3C7        function switches│
//        │ 0x3D2/0x3D3  type / band     │
//        │ 0x3F0        call tone       │
//  0x3FF └──────────────────────────────┘
//
// Multi-byte integers are little-endian. Every offset, mask and code used by
// the program is named here; no other file spells a bare offset.

#include <cstdint>

namespace mem {

/// Size of the whole image in bytes.
constexpr int ImageSize = 1024;
/// Size of one block (and of one channel record).
constexpr int BlockSize = 16;
/// Number of channel records.
constexpr int ChannelCount = 16;
/// Size of one channel record.
constexpr int RecordSize = 16;
/// Image offset of channel n (1..16).
constexpr int channelOffset(int n)
{
    return RecordSize * n;
}

/// Scan-add bits of channels 1..8 (bit n-1).
constexpr int ScanAddLow = 0x17E;
/// Scan-add bits of channels 9..16 (bit n-9).
constexpr int ScanAddHigh = 0x17F;

// Optional features (Optional Features dialog, report).
/// Voice Annunciation, whole byte.
constexpr int VoiceAnnunciation = 0x12F;
/// Time-Out Timer, bits 0-6 (code n = 15 × n seconds).
constexpr int TimeOutTimer = 0x130;
/// TOT Pre-Alert, bits 0-3.
constexpr int TotPreAlert = 0x131;
/// Squelch Level, bits 0-3.
constexpr int SquelchLevel = 0x134;
/// Battery Saver, bit 0.
constexpr int BatterySaver = 0x135;
/// Beep, bit 0.
constexpr int Beep = 0x136;
/// Vox Gain Level, bits 0-4.
constexpr int VoxGainLevel = 0x13A;
/// Vox Delay Time, bits 0-2.
constexpr int VoxDelayTime = 0x13B;
/// Call Key Define, whole byte.
constexpr int CallKeyDefine = 0x13F;
/// Function switches: bit 0 VOX Function, bit 1 Scan Function.
constexpr int FunctionSwitches = 0x3C7;
/// Call Tone, whole byte (sent alone by a write).
constexpr int CallTone = 0x3F0;

// Scan information (Scan Information dialog).
/// Priority: 0 None, 1 Fixed, 2 Selected.
constexpr int Priority = 0x160;
/// Priority Channel: channel number 1..16.
constexpr int PriorityChannel = 0x161;
/// Look Back Time A: time code b, time = 0.45 + 0.05 × b.
constexpr int LookBackTimeA = 0x162;
/// Look Back Time B: as A.
constexpr int LookBackTimeB = 0x163;
/// Revert Channel, whole byte.
constexpr int RevertChannel = 0x164;
/// Dropout Delay Time, 16-bit little-endian (0x165 low, 0x166 high).
constexpr int DropoutDelayTime = 0x165;
/// Tx Dwell Time, 16-bit little-endian (0x167 low, 0x168 high).
constexpr int TxDwellTime = 0x167;

// Product choice.
/// Product type index (position in the Type%d list).
constexpr int ProductType = 0x3D2;
/// Frequency band index (position in the type's band list).
constexpr int FrequencyBand = 0x3D3;

/// Leading block, not interpreted.
constexpr int LeadingBlock = 0x000;
/// Identification block (8 bytes), not interpreted.
constexpr int IdentificationBlock = 0x1B8;

// Masks of the settings fields as the editors read and write them.
constexpr std::uint8_t TimeOutTimerMask = 0x7F;
constexpr std::uint8_t TotPreAlertMask = 0x0F;
constexpr std::uint8_t SquelchLevelMask = 0x0F;
constexpr std::uint8_t BatterySaverMask = 0x01;
constexpr std::uint8_t BeepMask = 0x01;
constexpr std::uint8_t VoxGainLevelMask = 0x1F;
constexpr std::uint8_t VoxDelayTimeMask = 0x07;
constexpr std::uint8_t VoxFunctionBit = 0x01;
constexpr std::uint8_t ScanFunctionBit = 0x02;

// Masks the printed report reads with (narrower than the editors').
constexpr std::uint8_t ReportTimeOutTimerMask = 0x3F;
constexpr std::uint8_t ReportVoiceAnnunciationMask = 0x03;

// Transfer ranges of the clone protocol (inclusive, 8-byte blocks).
constexpr int ReadFirstBegin = 0x000;
constexpr int ReadFirstEnd = 0x3BF;
constexpr int ReadSecondBegin = 0x3D0;
constexpr int ReadSecondEnd = 0x3FF;
constexpr int WriteFirstBegin = 0x000;
constexpr int WriteFirstEnd = 0x32F;
constexpr int WriteSecondBegin = 0x340;
constexpr int WriteSecondEnd = 0x3EF;
/// The single byte a write sends after its two ranges.
constexpr int WriteLastByte = CallTone;
/// Bytes per block on the wire.
constexpr int WireBlockSize = 8;

} // namespace mem
