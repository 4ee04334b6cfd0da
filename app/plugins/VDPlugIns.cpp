#include "app/plugins/VDPlugIns.h"

#include "app/plugins/DspPluginApi.h"
#include "platform/audio/SharedLibrary.h"
#include "platform/rtl/FileUtils.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vd {
namespace {

using audio::FreeSharedLibrary;

// "dsp*.so", letter case ignored, so "DSP_Echo.so" is found as well as "dsp_echo.so".
bool IsPluginFileName(const String& name) {
    auto lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return lower.size() >= 6 && lower.compare(0, 3, "dsp") == 0 &&
           lower.compare(lower.size() - 3, 3, ".so") == 0;
}

// Quit, then free the library; a Quit that throws leaves the library loaded, as its code may
// still be in use.
void QuitAndFree(PluginRecord& record) {
    if (!record.Active) return;
    record.Active = false;
    try {
        if (record.Module->Quit) record.Module->Quit(record.Module);
    } catch (...) {
        return;
    }
    FreeSharedLibrary(record.Library);
    record.Library = nullptr;
    record.Name.clear();
    record.Module = nullptr;
    record.Header = nullptr;
}

} // namespace

TPluginHost::TPluginHost() {
    FAvailable.SetCaseSensitive(false);
}

TPluginHost::~TPluginHost() {
    DonePlugins();
}

void TPluginHost::InitPlugins() {
    FAvailable.Clear();
    std::lock_guard lock(FChainLock);
    FLoaded.clear();
}

void TPluginHost::ScanPlugins(const String& folder) {
    FAvailable.Clear();
    if (folder.empty() || !DirectoryExists(folder)) return;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const String name = entry.path().filename().string();
        if (name.empty() || name[0] == '.' || entry.is_directory(ec)) continue;
        if (IsPluginFileName(name)) FAvailable.Add(name);
    }
    FAvailable.Sort();
}

bool TPluginHost::LoadPlugin(const String& folder, const String& fileName) {
    if (fileName.empty() || !DirectoryExists(folder)) return false;
    if (IndexOfPlugin(fileName.substr(0, MaxNameLength)) >= 0) return false;

    auto record = std::make_unique<PluginRecord>();
    record->Name = fileName.substr(0, MaxNameLength);
    void* library = audio::LoadSharedLibrary(IncludeTrailingPathDelimiter(folder) + fileName);
    if (library) {
        auto entry = reinterpret_cast<TDspGetHeaderProc>(audio::GetSharedSymbol(library, VD_DSP_ENTRY_NAME));
        TDspHeader* header = entry ? entry() : nullptr;
        TDspModule* module = header && header->GetModule ? header->GetModule(0) : nullptr;
        if (module && module->Init && module->ModifySamples) {
            record->Library = library;
            record->Header = header;
            record->Module = module;
            module->ParentWindow = FParentWindow;
            module->Instance = library;
            record->Active = module->Init(module) == 0;
        }
        if (!record->Active) {
            FreeSharedLibrary(library);
            record->Library = nullptr;
        }
    }
    const bool active = record->Active;
    // The record joins the chain in every case, inactive when loading failed.
    std::lock_guard lock(FChainLock);
    FLoaded.push_back(std::move(record));
    return active;
}

void TPluginHost::UnloadPlugin(int index) {
    if (index < 0 || index >= LoadedCount()) return;
    std::unique_ptr<PluginRecord> record;
    {
        std::lock_guard lock(FChainLock); // waits for a block that is running through the chain
        record = std::move(FLoaded[static_cast<std::size_t>(index)]);
        FLoaded.erase(FLoaded.begin() + index);
    }
    QuitAndFree(*record);
}

void TPluginHost::ConfigurePlugin(int index) {
    if (index < 0 || index >= LoadedCount()) return;
    const PluginRecord& record = *FLoaded[static_cast<std::size_t>(index)];
    if (record.Active && record.Module->Config) record.Module->Config(record.Module);
}

void TPluginHost::ProcessPlugins(void* samples, int length, int sampleRate, int bits, int channels) {
    const int frameBytes = bits / 8 * channels;
    if (!samples || frameBytes <= 0 || length < frameBytes) return;
    const int frames = length / frameBytes; // a trailing partial frame is not passed on
    std::lock_guard lock(FChainLock);
    for (const auto& record : FLoaded)
        if (record->Active)
            record->Module->ModifySamples(record->Module, static_cast<short*>(samples), frames, bits,
                                          channels, sampleRate);
}

void TPluginHost::DonePlugins() {
    while (LoadedCount() > 0)
        UnloadPlugin(0);
    FAvailable.Clear();
}

int TPluginHost::IndexOfPlugin(const String& name) const {
    for (std::size_t i = 0; i < FLoaded.size(); ++i)
        if (FLoaded[i]->Name == name) return static_cast<int>(i);
    return -1;
}

bool TPluginHost::UnloadPluginByName(const String& name) {
    const int index = IndexOfPlugin(name);
    if (index < 0) return false;
    UnloadPlugin(index);
    return true;
}

bool TPluginHost::ConfigurePluginByName(const String& name) {
    const int index = IndexOfPlugin(name);
    if (index < 0) return false;
    ConfigurePlugin(index);
    return true;
}

TPluginHost& PluginHost() {
    static TPluginHost host;
    return host;
}

void InitPlugins() {
    PluginHost().InitPlugins();
}
void ScanPlugins(const String& folder) {
    PluginHost().ScanPlugins(folder);
}
bool LoadPlugin(const String& folder, const String& fileName) {
    return PluginHost().LoadPlugin(folder, fileName);
}
void UnloadPlugin(int index) {
    PluginHost().UnloadPlugin(index);
}
void ConfigurePlugin(int index) {
    PluginHost().ConfigurePlugin(index);
}
void ProcessPlugins(void* samples, int length, int sampleRate, int bits, int channels) {
    PluginHost().ProcessPlugins(samples, length, sampleRate, bits, channels);
}
void DonePlugins() {
    PluginHost().DonePlugins();
}

} // namespace vd
