#pragma once
// The DSP plug-in interface as the host uses it. A plug-in is a shared object that exports
// DSP_ENTRY_NAME, a function without arguments returning its header. Fields are in the
// interface's published order; on 64-bit systems each word is pointer-sized. C calling convention.

#define VD_DSP_ENTRY_NAME "winampDSPGetHeader2"

#ifdef __cplusplus
extern "C" {
#endif

struct TDspModule;

struct TDspHeader {
    int Version;                                // word 0, not used by the host
    char* Description;                          // word 1, not used by the host
    struct TDspModule* (*GetModule)(int index); // word 2: module 0 is the one the host uses
};

struct TDspModule {
    char* Description;  // word 0, not used by the host
    void* ParentWindow; // word 1, set by the host before Init
    void* Instance;     // word 2, set by the host: the library handle
    void (*Config)(struct TDspModule* module);
    int (*Init)(struct TDspModule* module); // 0 = success
    // Changes `frames` frames of 16-bit interleaved samples in place; the result is not used.
    int (*ModifySamples)(struct TDspModule* module, short* samples, int frames, int bits, int channels,
                         int rate);
    void (*Quit)(struct TDspModule* module);
    void* UserData; // the plug-in's own
};

typedef struct TDspHeader* (*TDspGetHeaderProc)(void);

#ifdef __cplusplus
}
#endif
