#pragma once
// The DSP plug-in host: the plug-in files found in the plug-in folder, the loaded plug-ins in
// chain order, and the chain that the capture thread runs on every block.
//
// Threads: ProcessPlugins runs on the capture thread; everything else on the GUI thread. The
// chain is guarded so that a plug-in is never unloaded (Quit, library freed) while a block runs
// through it: a record leaves the chain under the lock that the chain pass holds.
#include "platform/rtl/String.h"
#include "platform/rtl/StringList.h"

#include <memory>
#include <mutex>
#include <vector>

struct TDspHeader;
struct TDspModule;

namespace vd {

struct PluginRecord {
    String Name;         // file name as given to LoadPlugin, at most 128 characters
    bool Active = false; // Init succeeded; only active records are called
    void* Library = nullptr;
    TDspModule* Module = nullptr;
    TDspHeader* Header = nullptr;
};

class TPluginHost {
public:
    static constexpr std::size_t MaxNameLength = 128;

    TPluginHost();
    ~TPluginHost(); // DonePlugins

    void InitPlugins();                     // empties both lists without calling the plug-ins
    void ScanPlugins(const String& folder); // "dsp*.so" files of folder, sorted
    bool LoadPlugin(const String& folder, const String& fileName);
    void UnloadPlugin(int index);
    void ConfigurePlugin(int index);
    void ProcessPlugins(void* samples, int length, int sampleRate, int bits, int channels);
    void DonePlugins();

    // The chooser binds its entries by name: a list entry maps to its own record even when
    // the two lists differ (missing files, duplicates).
    int IndexOfPlugin(const String& name) const; // exact, letter case significant; -1 when none
    bool UnloadPluginByName(const String& name);
    bool ConfigurePluginByName(const String& name);

    TStringList& AvailablePlugins() { return FAvailable; }
    int LoadedCount() const { return static_cast<int>(FLoaded.size()); }
    const PluginRecord& Loaded(int index) const { return *FLoaded[static_cast<std::size_t>(index)]; }

    // The window handle given to the plug-ins as their parent (the application's window).
    void SetParentWindow(void* window) { FParentWindow = window; }

private:
    TStringList FAvailable;
    // Mutated only on the GUI thread under FChainLock; the capture thread reads under it.
    std::vector<std::unique_ptr<PluginRecord>> FLoaded;
    mutable std::mutex FChainLock;
    void* FParentWindow = nullptr;
};

// The host of the run, as the main window, the chooser and the capture callback reach it.
TPluginHost& PluginHost();

// The host's operations under the names the rest of the console uses.
void InitPlugins();
void ScanPlugins(const String& folder);
bool LoadPlugin(const String& folder, const String& fileName);
void UnloadPlugin(int index);
void ConfigurePlugin(int index);
void ProcessPlugins(void* samples, int length, int sampleRate, int bits, int channels);
void DonePlugins();

} // namespace vd
