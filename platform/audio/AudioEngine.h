#pragma once
// The audio engine: recording devices, the capture channel with its DSP hook, and encoder
// processes fed with the captured PCM. A failed call returns false/0 and leaves its code
// (AudioErrors.h) for AE_ErrorGetCode, which is kept per calling thread.
//
// Threads: the record and DSP callbacks run on the capture thread; an encoder's data callback
// and its notify callback run on the engine's I/O loop thread (never on the capture thread),
// which serves every encoder: they must not block.
// After AE_Encode_Stop returns, neither callback of that encoder is called again.
// From inside the record or DSP callback, AE_ChannelStop, AE_RecordFree, AE_ChannelSetDSP and
// AE_ChannelRemoveDSP fail with AE_ERROR_BUSY (the record callback ends a capture by returning
// false).
#include "platform/audio/AudioErrors.h"

#include <cstdint>
#include <memory>

namespace vd::audio {

class TEncodedSink;

using HRECORD = std::uint32_t; // capture channel handle, 0 = none
using HDSP = std::uint32_t;    // DSP hook handle, 0 = none
using HENCODE = std::uint32_t; // encoder handle, 0 = none

// One recording device as the device list shows it. The texts stay valid for the whole run.
struct AE_DEVICEINFO {
    const char* name;    // what the user recognises ("Built-in Audio Analog Stereo")
    const char* driver;  // the device's own identifier (the ALSA PCM name)
    std::uint32_t flags; // AE_DEVICE_* bits
};
constexpr std::uint32_t AE_DEVICE_ENABLED = 1;
constexpr std::uint32_t AE_DEVICE_DEFAULT = 2;

// Flags of AE_RecordStart.
constexpr std::uint32_t AE_RECORD_PAUSE = 0x8000; // start paused; AE_ChannelPlay starts it

// Flags of AE_Encode_Start.
constexpr std::uint32_t AE_ENCODE_NOHEAD = 0x1;       // raw PCM only, no WAV header first
constexpr std::uint32_t AE_ENCODE_AUTOFREE = 0x40000; // freed together with its channel

// Options of AE_SetConfig.
constexpr std::uint32_t AE_CONFIG_NET_TIMEOUT = 11;              // ms, used by casts
constexpr std::uint32_t AE_CONFIG_ENCODE_CAST_TIMEOUT = 0x10310; // ms, used by casts
constexpr std::uint32_t AE_CONFIG_ENCODE_QUEUE = 0x10320;        // ms of audio each encoder may queue
constexpr std::uint32_t AE_CONFIG_ENCODE_STOP_WAIT = 0x10321;    // ms an encoder gets to end by itself
constexpr std::uint32_t AE_CONFIG_RECORD_PERIOD = 0x10330;       // ms of audio per captured block

// Returns false (keep nothing) to end the recording.
using RECORDPROC = bool (*)(HRECORD handle, const void* buffer, std::uint32_t length, void* user);
// May change the block in place before any encoder reads it.
using DSPPROC = void (*)(HDSP handle, HRECORD channel, void* buffer, std::uint32_t length, void* user);
using ENCODEPROC = void (*)(HENCODE handle, HRECORD channel, const void* buffer, std::uint32_t length,
                            void* user);
using ENCODENOTIFYPROC = void (*)(HENCODE handle, std::uint32_t status, void* user);

// Recording devices. Index 0 refreshes the list; later indexes read the same snapshot.
bool AE_RecordGetDeviceInfo(std::uint32_t device, AE_DEVICEINFO* info);
bool AE_RecordInit(int device);
bool AE_RecordSetDevice(std::uint32_t device);
bool AE_RecordFree();
// 16-bit interleaved capture of the current device; the block size is one device period.
HRECORD AE_RecordStart(std::uint32_t freq, std::uint32_t chans, std::uint32_t flags, RECORDPROC proc,
                       void* user);

// The capture channel. Stop ends it for good (its handle becomes invalid) and frees the
// encoders started with AE_ENCODE_AUTOFREE, which get the notify status AE_ENCODE_NOTIFY_FREE.
bool AE_ChannelPlay(HRECORD handle, bool restart);
// True while the capture thread runs (false once the record callback ended it).
bool AE_ChannelIsActive(HRECORD handle);
bool AE_ChannelStop(HRECORD handle);
HDSP AE_ChannelSetDSP(HRECORD handle, DSPPROC proc, void* user, int priority);
bool AE_ChannelRemoveDSP(HRECORD handle, HDSP dsp); // the hook is not running when this returns

bool AE_SetConfig(std::uint32_t option, std::uint32_t value);
std::uint32_t AE_GetConfig(std::uint32_t option);
int AE_ErrorGetCode();
// Sets the calling thread's code; for the cast calls built on top of the engine.
void AE_SetErrorCode(int code);

// Encoders. The command line is split like a shell would split it (blanks, quotes, backslash)
// but no shell runs; the program is looked up on PATH. A program that cannot be started fails
// here with AE_ERROR_FILEOPEN. Each encoder has its own bounded queue: when it is full the
// block is dropped for that encoder and the notify status AE_ENCODE_NOTIFY_SERVER_SPACE follows.
// A program that ends by itself raises AE_ENCODE_NOTIFY_ENCODER.
HENCODE AE_Encode_Start(HRECORD channel, const char* cmdline, std::uint32_t flags, ENCODEPROC proc,
                        void* user);
// A status raised before the callback was set (the program died early) is delivered about
// 200 ms after this call, from the engine's cleanup thread.
bool AE_Encode_SetNotify(HENCODE handle, ENCODENOTIFYPROC proc, void* user);
// Returns at once; the process is ended (stdin closed, then signals) and reaped in the background.
bool AE_Encode_Stop(HENCODE handle);
// True while the program runs.
bool AE_Encode_IsActive(HENCODE handle);
// Ends the input: what is queued is written, stdin is closed, the program finishes its output
// (delivered as usual) and ends without a notify. AE_Encode_Stop is still needed afterwards.
bool AE_Encode_EndInput(HENCODE handle);

// Output sinks (casts, the own-port server). Thread-safe from any thread. Every encoded block
// goes to each attached sink's Deliver on the I/O loop thread, after the data callback.
// After DetachSink returns, the sink gets no further Deliver call and the encoder holds no
// reference to it. AE_Encode_Stop detaches all sinks and abandons each; the encoder drops its
// references on its cleanup thread, so a sink's destructor never runs on the caller of AE_Encode_Stop.
bool AE_Encode_AttachSink(HENCODE handle, std::shared_ptr<TEncodedSink> sink);
bool AE_Encode_DetachSink(HENCODE handle, const TEncodedSink* sink);
// A sink reports its failure (AE_ENCODE_NOTIFY_CAST, ..._CAST_TIMEOUT, ..._SERVER_SPACE) to the
// encoder's notify callback through this; ignored after AE_Encode_Stop.
bool AE_Encode_RaiseNotify(HENCODE handle, std::uint32_t status);

// Diagnostics for tests and benchmarks: bytes waiting in the encoder's queue, the process id
// (0 when none), and the largest delay in microseconds from a block's arrival to its last byte
// written to the encoder's stdin.
std::uint64_t AE_Encode_GetQueued(HENCODE handle);
int AE_Encode_GetPid(HENCODE handle);
std::uint64_t AE_Encode_GetMaxLatencyUs(HENCODE handle);

} // namespace vd::audio
