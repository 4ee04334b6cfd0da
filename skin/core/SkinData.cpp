#include "skin/core/SkinData.h"

#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/core/SkinStrings.h"
#include "skin/core/SkinWindowSystem.h"
#include "skin/store/SkinCodecs.h"
#include "skin/store/SkinContainer.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinIni.h"
#include "skin/store/SkinObjectRecords.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>
#include <atomic>
#include <exception>

#include "platform/rtl/Exception.h"
#include "platform/win/Messages.h"

namespace vd {

namespace {

// Unique in the process, so that a skin object made where a freed one stood never repeats one.
unsigned NextGeneration() {
    static std::atomic<unsigned> next{0};
    return ++next;
}

} // namespace

TskSkinData::TskSkinData(TComponent* AOwner)
    : TComponent(AOwner), FSkinColors(std::make_unique<TskSkinColors>()),
      FPopupWindow(std::make_unique<TskDataSkinPopupWindow>()),
      FHintWindow(std::make_unique<TskDataSkinHintWindow>()) {}

TskSkinData::~TskSkinData() {
    FEmpty = true;
    ClearRecords();
}

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* value) {
    FCompressedStoredSkin = value;
    if (value) LoadStoredSkin(value);
}

void TskSkinData::SetResourceStrData(TskResourceStrData* value) {
    FResourceStrData = value;
    BroadcastSkinMessage(WM_SKINSTRINGSCHANGED);
}

void TskSkinData::SplitNameKind(std::string_view entry, String& name, String& kind) {
    const size_t colon = entry.find(':');
    if (colon == std::string_view::npos) {
        name.clear();
        kind.clear();
        return;
    }
    name = String(entry.substr(0, colon));
    kind = String(entry.substr(colon + 1));
}

int TskSkinData::IndexOfControlRecord(std::string_view name) const {
    for (size_t i = 0; i < FControlRecords.size(); ++i)
        if (FControlRecords[i]->IDName == name) return int(i);
    return -1;
}

int TskSkinData::IndexOfObjectRecord(std::string_view name) const {
    for (size_t i = 0; i < FObjectRecords.size(); ++i)
        if (FObjectRecords[i]->IDName == name) return int(i);
    return -1;
}

TskDataSkinControl* TskSkinData::ControlRecord(int index) const {
    return index >= 0 && size_t(index) < FControlRecords.size() ? FControlRecords[size_t(index)].get()
                                                                : nullptr;
}

TskDataSkinObject* TskSkinData::ObjectRecord(int index) const {
    return index >= 0 && size_t(index) < FObjectRecords.size() ? FObjectRecords[size_t(index)].get()
                                                               : nullptr;
}

const TskBitmap* TskSkinData::ActivePicture(int index) const {
    return index >= 0 && size_t(index) < FActivePictures.size() ? FActivePictures[size_t(index)].get()
                                                                : nullptr;
}

void TskSkinData::ClearRecords() {
    FObjectRecords.clear();
    FControlRecords.clear();
    FActivePictures.clear();
    FPopupWindow->windowpictureindex = -1;
    FHintWindow->windowpictureindex = -1;
    ActivePictureNames.clear();
    FSkinColors->Reset();
}

void TskSkinData::ClearSkin() {
    ClearRecords();
    Picture.Clear();
    Mask.Clear();
    InactivePicture.Clear();
    PictureName.clear();
    MaskName.clear();
    // A failed load must not leave the previous skin's names and geometry behind.
    InactivePictureName.clear();
    ResetFormInfo();
    FEmpty = true;
    FGeneration = NextGeneration();
}

void TskSkinData::ResetFormInfo() {
    buttonsrect = captionrect = maskrectarea = clientrect = TRect{};
    buttonsoffset = borderwidth = formminwidth = 0;
    buttonsinleft = autorenderinginactiveimage = mainmenupopupup = false;
    inactiveeffect = ieBrightness;
    lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
    hittestlefttoppoint = hittestrighttoppoint = hittestleftbottompoint = hittestrightbottompoint = TPoint{};
    bgpictureindex = mdibgpictureindex = -1;
    topstretch = leftstretch = rightstretch = bottomstretch = false;
    skinname.clear();
    skinauthor.clear();
    authorurl.clear();
    authoremail.clear();
    skincomments.clear();
    *FPopupWindow = TskDataSkinPopupWindow{};
    *FHintWindow = TskDataSkinHintWindow{};
}

void TskSkinData::BroadcastSkinMessage(unsigned msg) {
    TskSkinWindowSystem* ws = SkinWindowSystem();
    if (!ws) ws = &FormWindowMessenger();
    const HWND owner = ws->FormWindowOf(Owner());
    // A snapshot: handlers may open or close forms while the message goes round.
    const std::vector<HWND> forms = ws->FormWindows();
    if (owner) ws->SendSkinMessage(owner, msg, this, skSkinMessageLParam);
    for (HWND form : forms)
        if (form != owner) ws->SendSkinMessage(form, msg, this, skSkinMessageLParam);
}

void TskSkinData::LoadStoredSkin(const TskCompressedStoredSkin* stored) {
    if (!stored || stored->IsDataEmpty()) return;
    FEmpty = true;
    FChanging = true;
    // Whatever happens below, receivers must leave their changing state.
    struct Finish {
        TskSkinData& Self;
        ~Finish() { Self.FChanging = false; }
    } finish{*this};
    BroadcastSkinMessage(WM_SKINLOADING);
    ClearSkin();
    FLastLoadError.clear();
    try {
        LoadContainer(*stored);
        FEmpty = false;
        FGeneration = NextGeneration();
    } catch (const std::exception& e) {
        FLastLoadError = e.what();
        ClearSkin();
    }
    BroadcastSkinMessage(WM_SKINLOADED);
    FChanging = false;
    BroadcastSkinMessage(WM_SKINSETTLED);
}

void TskSkinData::LoadContainer(const TskCompressedStoredSkin& stored) {
    String error;
    const std::shared_ptr<const TskSkinContainer> container = stored.DecodedContainer(error);
    if (!container) throw Exception(error);
    // Copies: a skin object changes its own pictures, and the kept container outlives it.
    Picture = container->Picture;
    InactivePicture = container->InactivePicture;
    Mask = container->Mask;
    FActivePictures.clear();
    FActivePictures.reserve(container->ActivePictures.size());
    for (const std::unique_ptr<TskBitmap>& picture : container->ActivePictures)
        FActivePictures.push_back(std::make_unique<TskBitmap>(*picture));
    TskMemIniFile ini(container->IniText);
    ReadIni(ini);
}

void TskSkinData::ReadIni(const TskMemIniFile& ini) {
    skinname = ini.ReadString("VERSION", "skinname", "");
    skinauthor = ini.ReadString("VERSION", "skinauthor", "");
    authoremail = ini.ReadString("VERSION", "authoremail", "");
    authorurl = ini.ReadString("VERSION", "authorurl", "");
    skincomments = ini.ReadString("VERSION", "skincomments", "");
    PictureName = ini.ReadString("PICTURES", "picture", "");
    InactivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
    MaskName = ini.ReadString("PICTURES", "mask", "");
    ReadStringList(ini, "PICTURES", "activepictures", ActivePictureNames);
    ReadFormInfoSection(ini);
    FPopupWindow->LoadFromIni(ini);
    FHintWindow->LoadFromIni(ini);
    FSkinColors->LoadFromIni(ini);
    LoadObjectRecords(ini);
    LoadControlRecords(ini);
}

void TskSkinData::ReadFormInfoSection(const TskMemIniFile& ini) {
    const char* s = "FORMINFO";
    lefttoppoint = ReadSkinPoint(ini, s, "lefttoppoint");
    righttoppoint = ReadSkinPoint(ini, s, "righttoppoint");
    leftbottompoint = ReadSkinPoint(ini, s, "leftbottompoint");
    rightbottompoint = ReadSkinPoint(ini, s, "rightbottompoint");
    clientrect = ReadSkinRect(ini, s, "clientrect");
    bgpictureindex = ini.ReadInteger(s, "bgpictureindex", -1);
    mdibgpictureindex = ini.ReadInteger(s, "mdibgpictureindex", -1);
    leftstretch = ReadSkinBool(ini, s, "leftstretch");
    rightstretch = ReadSkinBool(ini, s, "rightstretch");
    topstretch = ReadSkinBool(ini, s, "topstretch");
    bottomstretch = ReadSkinBool(ini, s, "bottomstretch");
    maskrectarea = ReadSkinRect(ini, s, "maskrectarea");
    hittestlefttoppoint = ReadSkinPoint(ini, s, "hittestlefttoppoint");
    hittestrighttoppoint = ReadSkinPoint(ini, s, "hittestrighttoppoint");
    hittestleftbottompoint = ReadSkinPoint(ini, s, "hittestleftbottompoint");
    hittestrightbottompoint = ReadSkinPoint(ini, s, "hittestrightbottompoint");
    if (!MaskName.empty()) {
        if (IsEmptySkinRect(maskrectarea)) {
            maskrectarea = clientrect;
        } else {
            maskrectarea.Left = std::min(maskrectarea.Left, clientrect.Left);
            maskrectarea.Top = std::min(maskrectarea.Top, clientrect.Top);
            maskrectarea.Right = std::max(maskrectarea.Right, clientrect.Right);
            maskrectarea.Bottom = std::max(maskrectarea.Bottom, clientrect.Bottom);
        }
        auto fill = [](TPoint& hit, const TPoint& corner) {
            if (hit.X == 0 || hit.Y == 0) hit = corner;
        };
        fill(hittestlefttoppoint, lefttoppoint);
        fill(hittestrighttoppoint, righttoppoint);
        fill(hittestleftbottompoint, leftbottompoint);
        fill(hittestrightbottompoint, rightbottompoint);
    }
    buttonsrect = ReadSkinRect(ini, s, "buttonsrect");
    captionrect = ReadSkinRect(ini, s, "captionrect");
    buttonsoffset = ini.ReadInteger(s, "buttonsoffset", 0);
    buttonsinleft = ReadSkinBool(ini, s, "buttonsinleft");
    mainmenupopupup = ReadSkinBool(ini, s, "mainmenupopupup");
    borderwidth = ini.ReadInteger(s, "borderwidth", 0);
    formminwidth = ini.ReadInteger(s, "formminwidth", 0);
    autorenderinginactiveimage = ReadSkinBool(ini, s, "autorenderinginactiveimage");
    inactiveeffect = ReadImageEffect(ini, s, "inactiveeffect");
    if (rightbottompoint.X != lefttoppoint.X && rightbottompoint.Y != lefttoppoint.Y) {
        const TRect& c = clientrect;
        lefttoppoint = {std::max(lefttoppoint.X, c.Left), std::max(lefttoppoint.Y, c.Top)};
        righttoppoint = {std::min(righttoppoint.X, c.Right), std::max(righttoppoint.Y, c.Top)};
        leftbottompoint = {std::max(leftbottompoint.X, c.Left), std::min(leftbottompoint.Y, c.Bottom)};
        rightbottompoint = {std::min(rightbottompoint.X, c.Right), std::min(rightbottompoint.Y, c.Bottom)};
    }
}

namespace {

// The number I when Key is the decimal text of some I below Count, as the reader's own keys are
// written ("7", never "07" or "+7").
bool EntryNumber(std::string_view key, int count, int& i) {
    if (key.empty() || key.size() > 10 || (key.size() > 1 && key[0] == '0')) return false;
    long long v = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v >= count) return false;
    i = int(v);
    return true;
}

// The records Section lists ("count", then "0", "1", ... as name=kind) in list order; entries of
// an unknown kind are left out. Only keys that are present can name a record, so the numbers
// below the count are taken from the section's keys: numbering gaps cost nothing, and a lying
// count neither loops nor loses the entries after a gap.
template <class Record>
void LoadRecords(const TskMemIniFile& ini, const char* section,
                 std::unique_ptr<Record> (*create)(std::string_view, const String&),
                 std::vector<std::unique_ptr<Record>>& out) {
    const int count = ini.ReadInteger(section, "count", 0);
    std::vector<int> numbers;
    for (const String& key : ini.SectionKeys(section))
        if (int i; EntryNumber(key, count, i)) numbers.push_back(i);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (int i : numbers) {
        String name, kind;
        TskSkinData::SplitNameKind(ini.ReadString(section, std::to_string(i), ""), name, kind);
        if (auto rec = create(kind, name)) {
            rec->LoadFromIni(ini);
            out.push_back(std::move(rec));
        }
    }
}

} // namespace

void TskSkinData::LoadObjectRecords(const TskMemIniFile& ini) {
    LoadRecords(ini, "SKINOBJECTS", CreateObjectRecord, FObjectRecords);
}

void TskSkinData::LoadControlRecords(const TskMemIniFile& ini) {
    LoadRecords(ini, "SKINCONTROLS", CreateControlRecord, FControlRecords);
}

} // namespace vd
