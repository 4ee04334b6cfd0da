#include "app/streams/StreamTexts.h"

#include "app/core/Language.h"
#include "app/core/StationStore.h"
#include "platform/rtl/Format.h"

namespace vd {

namespace {

struct TErrorText {
    int Code;
    const char* Key;
    const char* Text;
};

const TErrorText kErrors[] = {
    {0, "OK", "All is OK"},
    {1, "MEMORY ", "Memory error"},
    {2, "FILEOPEN", "Can't open the stream"},
    {3, "DRIVER", "Can't find a free sound driver"},
    {4, "BUFLOST", "The sample buffer was lost"},
    {5, "HANDLE", "Invalid handle"},
    {6, "FORMAT", "Unsupported sample format"},
    {7, "POSITION", "Invalid position"},
    {8, "INIT", "AE_Init has not been successfully called"},
    {9, "START", "AE_Start has not been successfully called"},
    {14, "ALREADY", "Already initialized/paused/whatever"},
    {18, "NOCHAN", "Can't get a free channel"},
    {19, "ILLTYPE", "An illegal type was specified"},
    {20, "ILLPARAM:", "An illegal parameter was specified"},
    {21, "NO3D", "No 3D support"},
    {22, "NOEAX", "No EAX support"},
    {23, "DEVICE", "Illegal device number"},
    {24, "NOPLAY", "Not playing"},
    {25, "FREQ", "Illegal sample rate"},
    {27, "NOTFILE", "The stream is not a file stream"},
    {29, "NOHW", "No hardware voices available"},
    {31, "EMPTY", "The MOD music has no sequence data"},
    {32, "NONET", "No internet connection could be opened"},
    {33, "CREATE", "Couldn't create the file"},
    {34, "NOFX", "Effects are not enabled"},
    {37, "NOTAVAIL", "Requested data is not available"},
    {38, "DECODE", "The channel is a \"decoding channel\""},
    {39, "DX", "A sufficient DirectX version is not installed"},
    {40, "TIMEOUT", "Connection timed out"},
    {41, "FILEFORM", "Server down or unsupported file format"},
    {42, "SPEAKER", "Unavailable speaker"},
    {43, "VERSION", "Invalid audio engine version (used by add-ons)"},
    {44, "CODEC", "Codec is not available/supported"},
    {45, "ENDED", "The channel/file has ended"},
    {46, "BUSY", "The device is busy"},
    {-1, "UNKNOWN", "Some other mystery problem"},
    {257, "ErrorInEncoder", "Error in encoder"},
    // The first letter is the Cyrillic capital Es, kept as the text has always been (UTF-8 here).
    {258, "ConnectionDied", "\xD0\xA1onnection died"},
    {259, "CastTimeout", "Cast timed out"},
    {260, "QueueOutSpace", "Queue is out of space"},
    {261, "EncoderFreed", "Encoder has been freed"},
    {262, "NoAacPlus", "AAC+ needs the HE-AAC encoder enc_aacPlus, which is not installed"},
};

} // namespace

String StreamMessage(const String& name, const String& defaultText) {
    return AppTexts()->GetText("MSG", name, defaultText);
}

String StreamMessageText(const String& name, const String& defaultText) {
    const String text = AppTexts()->GetMessage(name);
    return text.empty() ? defaultText : text;
}

String ErrorCodeText(int code) {
    // One snapshot: the connector composes these while the language may change.
    const std::shared_ptr<const TLanguageTexts> texts = AppTexts();
    String prefix = texts->GetConstant("Error", "");
    String text;
    for (const auto& e : kErrors) {
        if (e.Code != code) continue;
        text = texts->GetText("Error", e.Key, e.Text);
        break;
    }
    return prefix + " " + std::to_string(code) + ". " + text;
}

String BytesSentText(std::uint64_t bytes) {
    static const char* const kUnits[] = {"b", "kB", "MB", "GB", "TB", "PB", "EB", "ZB", "YB"};
    double value = static_cast<double>(bytes);
    int divisions = 0;
    while (value > 1024 && divisions < 8) {
        value /= 1024;
        ++divisions;
    }
    return divisions <= 1 ? Format("%5.0f %s", value, String(kUnits[divisions]))
                          : Format("%5.2f %s", value, String(kUnits[divisions]));
}

String StateText(TStationState state) {
    switch (state) {
    case ssStop:
        return StreamMessageText("Stop", "Stop");
    case ssConnect:
        return StreamMessageText("Connect", "Connect");
    case ssDelay:
        return StreamMessageText("Delay", "Delay");
    case ssOnline:
        return StreamMessageText("Online", "Online");
    }
    return String();
}

std::array<String, 7> StationRowTexts(const TStationRecord& station) {
    static const char* const kModes[] = {"SC1", "SC2", "Ice", "DIR"};
    static const char* const kTypes[] = {"MP3", "OGG", "AAC", "AAC+"};
    TStationConfig c = station.Config();
    std::array<String, 7> row;
    row[0] = c.Mode == smDirect ? StreamMessage("Directly", "Directly on port") + " " + std::to_string(c.Port)
                                : StationServerAddress(station);
    row[1] = c.Mode >= 0 && c.Mode <= 3 ? kModes[c.Mode] : "";
    row[2] = c.Type >= 0 && c.Type <= 3 ? kTypes[c.Type] : "";
    row[3] = std::to_string(c.Bitrate) + (c.Channels == 1 ? "(M)" : "");
    row[4] =
        std::to_string(station.Listeners.load()) + " (" + std::to_string(station.MaxListeners.load()) + ")";
    row[5] = BytesSentText(station.BytesSent.load());
    row[6] = StateText(station.State.load());
    return row;
}

} // namespace vd
