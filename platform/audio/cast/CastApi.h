#pragma once
// The engine's cast calls: a server cast or the own-port server attached to a running encoder.
// Failures return false/0 and leave their code for AE_ErrorGetCode.
#include <cstdint>

#include "platform/audio/AudioEngine.h"

namespace vd::audio {

// connect true: a new listener "a.b.c.d:port" and its request head; false refuses it.
// connect false: an accepted listener left.
using ENCODECLIENTPROC = bool (*)(HENCODE handle, bool connect, const char* client, const char* headers,
                                  void* user);

constexpr std::uint32_t AE_ENCODE_SERVER_META = 2; // ServerInit: ICY metadata for listeners that ask

constexpr std::uint32_t AE_ENCODE_STATS_SHOUTCAST = 0;
constexpr std::uint32_t AE_ENCODE_STATS_ICECAST = 1;

// Connects (within the network time-out) and announces the stream; the protocol follows from
// the server text (ServerAddress.h). name, genre and desc may be null (not announced).
bool AE_Encode_CastInit(HENCODE handle, const char* server, const char* pass, const char* content,
                        const char* name, const char* url, const char* genre, const char* desc,
                        const char* headers, std::uint32_t bitrate, bool pub);
// Serves the encoder's output on a port ("8000" or "address:8000"): buffer bytes are kept,
// burst bytes of them go to a new listener first. Non-zero on success.
std::uint32_t AE_Encode_ServerInit(HENCODE handle, const char* port, std::uint32_t buffer,
                                   std::uint32_t burst, std::uint32_t flags, ENCODECLIENTPROC proc,
                                   void* user);
// Blocking: the server's answer decides. For the own port, the next metadata block carries it.
bool AE_Encode_CastSetTitle(HENCODE handle, const char* title, const char* url);
// Blocking: the statistics text, valid on the calling thread until its next call; null when none.
const char* AE_Encode_CastGetStats(HENCODE handle, std::uint32_t type, const char* pass);
// True while the encoder's cast is connected (or its own-port server runs).
bool AE_Encode_CastIsAlive(HENCODE handle);
// Ends the encoder's cast or own-port server now, before AE_Encode_Stop: every accepted listener
// gets its leave call here, and no cast or client callback follows.
bool AE_Encode_CastFree(HENCODE handle);

} // namespace vd::audio
