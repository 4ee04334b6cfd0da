#pragma once
// Error codes of the audio engine, its encoders and casts. AE_ErrorGetCode returns one of these
// for the last failed call of the calling thread; the console turns them into texts.

namespace vd::audio {

enum AudioError : int {
    AE_OK = 0,
    AE_ERROR_MEM = 1,      // memory error
    AE_ERROR_FILEOPEN = 2, // a file, program or stream could not be opened
    AE_ERROR_DRIVER = 3,   // no free sound driver
    AE_ERROR_BUFLOST = 4,  // sample buffer lost
    AE_ERROR_HANDLE = 5,   // invalid handle
    AE_ERROR_FORMAT = 6,   // unsupported sample format
    AE_ERROR_POSITION = 7,
    AE_ERROR_INIT = 8,     // the engine or device was not initialised
    AE_ERROR_START = 9,    // capture was not started
    AE_ERROR_ALREADY = 14, // already initialised or running
    AE_ERROR_NOCHAN = 18,  // no free channel
    AE_ERROR_ILLTYPE = 19,
    AE_ERROR_ILLPARAM = 20, // an illegal parameter
    AE_ERROR_NO3D = 21,
    AE_ERROR_NOEAX = 22,
    AE_ERROR_DEVICE = 23, // illegal device number
    AE_ERROR_NOPLAY = 24, // not playing
    AE_ERROR_FREQ = 25,   // illegal sample rate
    AE_ERROR_NOTFILE = 27,
    AE_ERROR_NOHW = 29,
    AE_ERROR_EMPTY = 31,
    AE_ERROR_NONET = 32,  // no connection could be opened
    AE_ERROR_CREATE = 33, // could not create (a file, a socket, a process pipe)
    AE_ERROR_NOFX = 34,
    AE_ERROR_NOTAVAIL = 37, // requested data not available
    AE_ERROR_DECODE = 38,
    AE_ERROR_DX = 39,
    AE_ERROR_TIMEOUT = 40,  // connection timed out
    AE_ERROR_FILEFORM = 41, // server down, refused or answered something unexpected
    AE_ERROR_SPEAKER = 42,
    AE_ERROR_VERSION = 43,
    AE_ERROR_CODEC = 44, // codec not available
    AE_ERROR_ENDED = 45,
    AE_ERROR_BUSY = 46, // device busy
    AE_ERROR_UNKNOWN = -1,
};

// Statuses passed to an encoder's notify callback.
enum EncodeNotify : unsigned {
    AE_ENCODE_NOTIFY_ENCODER = 1, // the encoder program died
    AE_ENCODE_NOTIFY_CAST = 2,    // the connection died
    AE_ENCODE_NOTIFY_CAST_TIMEOUT = 0x10000,
    AE_ENCODE_NOTIFY_SERVER_SPACE = 0x10001, // a queue ran out of space
    AE_ENCODE_NOTIFY_FREE = 0x10002,         // the encoder was freed
};

} // namespace vd::audio
